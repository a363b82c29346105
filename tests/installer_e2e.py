#!/usr/bin/env python3
"""The Windows release as a Windows user meets it over its life, under wine at an X11 desktop
(Xvfb, openbox, xdotool, xclip), in one fresh wine prefix:
- an older release, which shipped one more file, installed silently, then this one over it: the
  older release's own uninstaller removes it first, a file of the user's own in the folder stays,
  and the listing shows this version and counts only the program's files; then this one again;
- the installed program, started from the path its Start-menu shortcut names, sits where it places
  itself, gives the report of 13812345678 on Enter, refuses "abc" with Qt's Chinese 确定 and opens
  the maker's page;
- while it runs, the installer and the uninstaller change nothing: run silently, they fail; run by
  hand, they ask in Chinese to close it, and go on with 重试 once it is closed;
- the zip's folder runs from a path with Chinese characters and spaces;
- the uninstaller, found where Windows lists installed programs, leaves nothing of the program
  behind but the user's own file; the older release installed over this one (a downgrade) and
  uninstalled leaves nothing at all;
- an account that may not write the program's folder is told so, with nothing changed.

usage: installer_e2e.py PATH_TO_SETUP_EXE PACKAGING_BUILD_FOLDER
The packaging build folder holds the configured installer script, its lists and the staged release,
from which the older release is made.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

import desktop_e2e
from desktop_e2e import REPORT_HEAD, TOOLS, env, run, wait_for

INSTALLER = None
PACKAGING = None
OLDER = None
NAME = os.environ["SHUJIAN_NAME"]
VERSION = os.environ["SHUJIAN_VERSION"]
MAKER = os.environ["SHUJIAN_MAKER"]
APP_ID = os.environ["SHUJIAN_APP_ID"]
FOLDER = "C:\\Program Files\\" + NAME
PROGRAM = FOLDER + "\\shujian.exe"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + APP_ID
# What the older release shipped beyond this one, and the user's own file beside the program.
OLDER_VERSION, OLDER_ONLY = "0.9", "older-only.txt"
USERS_OWN = "我的笔记.txt"
# The installer's exit codes when it cannot go ahead.
EXIT_RUNNING, EXIT_NO_RIGHTS = 2, 5
prefix = None


def wine(*args, settle=False, timeout=180):
    """Runs a Windows program; with settle, also waits until no installer or uninstaller is left
    running (an uninstaller hands its work to a copy of itself and returns at once). The
    installed program may go on running."""
    done = subprocess.run(["wine", *args], env=env, capture_output=True, text=True,
                          encoding="utf-8", errors="replace", timeout=timeout)
    if settle:
        wait_for("the installers to finish", lambda: not installers_running(), timeout)
    return done


def installers_running():
    # Wine names its processes by their Windows paths; a zombie has finished.
    return [line for line in subprocess.run(["ps", "-eo", "args"], capture_output=True,
                                            text=True).stdout.splitlines()
            if re.match(r"[A-Z]:\\.*(setup|uninstall|\\Un)\.exe", line, re.IGNORECASE)]


def drive_c(*parts):
    return os.path.join(prefix, "drive_c", *parts)


def installed(*parts):
    return drive_c("Program Files", NAME, *parts)


def files_in_prefix():
    """Every file and folder of drive C: but the user's temporary folder, which Windows clears
    (an uninstaller leaves its copy of itself there)."""
    found = set()
    for top, folders, names in os.walk(drive_c()):
        for name in folders + names:
            path = os.path.relpath(os.path.join(top, name), drive_c())
            if not ("Temp" + os.sep) in path:
                found.add(path)
    return found


def listing():
    """What Windows lists of the program under its installed programs: the uninstall key's values,
    or None when there is no such key."""
    exported = os.path.join(prefix, "listing.reg")
    done = wine("reg", "export", UNINSTALL_KEY, "Z:" + exported.replace("/", "\\"), "/y")
    if done.returncode != 0:
        return None
    with open(exported, encoding="utf-16") as reg:
        lines = reg.read().splitlines()
    os.remove(exported)
    values = {}
    for line in lines:
        if line.startswith('"') and "=" in line:
            name, value = line.split("=", 1)
            if value.startswith("dword:"):
                values[name.strip('"')] = int(value[6:], 16)
            else:
                values[name.strip('"')] = value.strip('"').replace('\\"', '"').replace("\\\\", "\\")
    return values


def registry_text():
    text = ""
    for hive in ("system.reg", "user.reg"):
        with open(os.path.join(prefix, hive), encoding="utf-8", errors="replace") as reg:
            text += reg.read()
    return text


def state():
    """What an install or an uninstall may change: the files of drive C: and the listing."""
    return files_in_prefix(), listing()


def install(setup, *args):
    return wine(setup, "/S", *args, settle=True)


def uninstall():
    """Runs what Windows runs to uninstall quietly, as its listing says."""
    program, argument = listing()["QuietUninstallString"].rsplit(" ", 1)
    return wine(program.strip('"'), argument, settle=True)


def shortcut_target(data):
    """The path a shell link's list of items points at: the drive, then each item's long name,
    the last text of the item's extension block (whose offset is the item's last word)."""
    size = struct.unpack_from("<H", data, 0x4C)[0]
    pos, parts = 0x4E, []
    while pos < 0x4E + size:
        item = data[pos:pos + struct.unpack_from("<H", data, pos)[0]]
        if len(item) < 3:
            break
        if item[2] in (0x23, 0x2F):  # a drive, in ASCII
            parts.append(item[3:item.index(0, 3)].decode("ascii").rstrip("\\"))
        elif item[2] & 0x70 == 0x30:  # a folder or a file
            block = item[struct.unpack_from("<H", item, len(item) - 2)[0]:-2]
            parts.append([text for text in block.decode("utf-16-le").split("\0") if text][-1])
        pos += len(item)
    return "\\".join(parts)


def staged_release():
    """The release's folder as the build staged it, before it was wrapped."""
    stages = os.path.join(PACKAGING, "stage")
    return os.path.join(stages, os.listdir(stages)[0])


def make_older_release(folder):
    """The installer an older release would have been: this release's script, staged files and
    lists, with an older version and one more file, which it installs and uninstalls."""
    for name in os.listdir(PACKAGING):
        if name.endswith((".nsi", ".nsh")):
            shutil.copy(os.path.join(PACKAGING, name), folder)
    stage = staged_release()
    extra = os.path.join(folder, OLDER_ONLY)
    with open(extra, "w") as text:
        text.write("shipped by the older release only\n")
    with open(os.path.join(folder, "install_files.nsh"), "a") as lists:
        lists.write('SetOutPath "$INSTDIR"\nFile "%s"\n' % extra)
    with open(os.path.join(folder, "uninstall_files.nsh"), "a") as lists:
        lists.write('!insertmacro RemoveFile "$INSTDIR\\%s"\n' % OLDER_ONLY)
    script = os.path.join(folder, "installer.nsi")
    with open(script, encoding="utf-8") as nsi:
        text = nsi.read()
    text, changed = re.subn(r'!define VERSION ".*"', '!define VERSION "%s"' % OLDER_VERSION, text)
    assert changed == 1, "the installer script no longer defines VERSION"
    with open(script, "w", encoding="utf-8") as nsi:
        nsi.write(text)
    older = os.path.join(folder, "older-setup.exe")
    subprocess.run(["makensis", "-V1", "-INPUTCHARSET", "UTF8", "-XSetCompressor /FINAL zlib",
                    "-DSTAGE=" + stage, "-DOUTFILE=" + older, "-DLISTS=" + folder, script],
                   check=True, capture_output=True, timeout=300)
    return older


def end_wine():
    """Ends every Windows program of the prefix, as closing the session's display would."""
    subprocess.run(["wineserver", "-k"], env=env, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, timeout=60)


def setUpModule():
    global prefix, OLDER
    prefix = tempfile.mkdtemp(prefix="shujian-wine-")
    unittest.addModuleCleanup(shutil.rmtree, prefix, ignore_errors=True)
    # LC_ALL: wine's reg prints the names in Chinese, not as question marks.
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               LC_ALL="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("DISPLAY", None)
    unittest.addModuleCleanup(end_wine)
    wine("wineboot", "--init")
    subprocess.run(["wineserver", "-w"], env=env, timeout=180)  # the new prefix's own set-up
    AfterwardsTestCase.before = files_in_prefix()
    OLDER = make_older_release(tempfile.mkdtemp(dir=prefix, prefix="older-"))


class Upgraded(unittest.TestCase):
    """An older release, a file of the user's own, then this release over it, twice."""

    def test_this_release_replaces_the_older_one_and_keeps_the_users_file(self):
        self.assertEqual(install(OLDER).returncode, 0)
        self.assertEqual(listing()["DisplayVersion"], OLDER_VERSION)
        self.assertTrue(os.path.exists(installed(OLDER_ONLY)))
        with open(installed(USERS_OWN), "w", encoding="utf-8") as own:
            own.write("用户自己的文件")
        for attempt in ("over the older release", "again over itself"):
            with self.subTest(attempt):
                done = install(INSTALLER)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertFalse(os.path.exists(installed(OLDER_ONLY)))
                self.assertTrue(os.path.exists(installed(USERS_OWN)))
                self.assertEqual(self.release_files(), self.installed_files())
                values = listing()
                self.assertEqual(values["DisplayVersion"], VERSION)
                self.assertEqual(values["InstallLocation"], FOLDER)
                # In KiB, the program's files only: not the user's, nor the uninstaller's.
                shipped = sum(-(-os.path.getsize(os.path.join(top, name)) // 1024)
                              for top, _, names in os.walk(staged_release()) for name in names)
                self.assertEqual(values["EstimatedSize"], shipped)

    def release_files(self):
        found = {"uninstall.exe", USERS_OWN}
        for top, _, names in os.walk(staged_release()):
            found.update(os.path.relpath(os.path.join(top, n), staged_release()) for n in names)
        return found

    @staticmethod
    def installed_files():
        return {os.path.relpath(os.path.join(top, n), installed())
                for top, _, names in os.walk(installed()) for n in names}


def refusal(session):
    """What the message box for "abc" shows, copied as Windows copies a message box with Ctrl+C:
    its caption, text and buttons. The box is closed after."""
    session.type_number("abc")
    session.key("Return")
    wait_for("the message box", session.message_box)
    shown = session.copied("ctrl+c")
    session.close_message_box()
    return shown


class InstalledProgram(desktop_e2e.DesktopSession):
    """The installed program started from the path its shortcut names."""

    @classmethod
    def launch(cls):
        end_wine()  # so that wine's desktop process starts on this display
        cls.start("wine", PROGRAM)

    @classmethod
    def tearDownClass(cls):
        end_wine()
        super().tearDownClass()


class Installed(InstalledProgram):

    def test_the_framed_window_sits_centred_and_a_fifth_down(self):
        # Wine tells the program of a Windows frame (a thicker border, a taller caption) while
        # openbox draws its own thin one; the window lands by the first, is seen by the second.
        self.assert_placed_centred_and_a_fifth_down(slack=(2, 8))

    def test_the_start_menu_shortcut_points_at_the_program(self):
        # Wine cannot open a shortcut here, so read where it points.
        shortcut = drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                           NAME + ".lnk")
        with open(shortcut, "rb") as link:
            self.assertEqual(shortcut_target(link.read()), PROGRAM)

    def test_windows_lists_it_with_its_icon_version_and_publisher(self):
        values = listing()
        self.assertEqual(values["DisplayName"], NAME)
        self.assertEqual(values["DisplayVersion"], VERSION)
        self.assertEqual(values["Publisher"], MAKER)
        self.assertEqual(values["DisplayIcon"], '"%s",0' % PROGRAM)

    def test_enter_gives_the_report(self):
        self.type_number("13812345678")
        self.key("Return")
        lines = self.result().replace("\r\n", "\n").split("\n")
        self.assertEqual(lines[0], REPORT_HEAD + "13812345678")
        self.assertEqual(lines[2], "这个数字的数理是：78")
        self.assertEqual(len(lines), 31)
        self.key("Escape")

    def test_a_rejection_says_so_with_the_chinese_ok_button(self):
        shown = refusal(self)
        self.assertIn("抱歉，本软件无该数字（不是数字吧）的信息！", shown)
        self.assertIn("确定", shown)

    def test_the_credit_label_opens_the_page_in_the_browser(self):
        self.assert_the_credit_label_opens_the_page_once()


class WhileItRuns(InstalledProgram):
    """The installer and the uninstaller, started while the installed program runs."""

    def asking_to_close(self):
        return run("xdotool", "search", "--onlyvisible", "--name",
                   "^%s .*(安装|卸载)" % NAME).stdout.split()

    def test_they_change_nothing_and_go_on_once_it_is_closed(self):
        before = state()
        uninstaller = listing()["QuietUninstallString"].rsplit(" ", 1)[0].strip('"')
        with self.subTest("silently"):
            self.assertEqual(install(INSTALLER).returncode, EXIT_RUNNING)
            uninstall()  # its copy of itself finds the program running and stops
            self.assertEqual(state(), before)
        for program in (INSTALLER, uninstaller):
            with self.subTest("cancelled", program=program):
                asking = subprocess.Popen(["wine", program], env=env)
                box = wait_for("the request to close the program", self.asking_to_close, 60)[0]
                run("xdotool", "windowactivate", "--sync", box)
                self.key("Escape")
                code = asking.wait(timeout=60)
                wait_for("the uninstaller's copy to finish", lambda: not installers_running())
                if program == INSTALLER:  # the uninstaller's own code is its copy's to give
                    self.assertEqual(code, EXIT_RUNNING)
                self.assertEqual(state(), before)
        with self.subTest("retried after closing it"):
            asking = subprocess.Popen(["wine", INSTALLER], env=env)
            box = wait_for("the request to close the program", self.asking_to_close, 60)[0]
            run("xdotool", "windowclose", self.window)
            wait_for("the program to close", lambda: not run(
                "xdotool", "search", "--onlyvisible", "--name", "^%s v" % NAME).stdout)
            run("xdotool", "windowactivate", "--sync", box)
            self.key("Return")  # 重试
            # The installer goes on to its first page; the program's file is free again.
            wait_for("the installer's first page", lambda: [
                window for window in self.asking_to_close() if window != box], 60)
            asking.kill()  # its temporary files are the user's temporary folder's
            asking.wait(timeout=60)
            self.assertEqual(state(), before)


class Portable(desktop_e2e.DesktopSession):
    """The zip's folder, unpacked where a user might put it."""

    @classmethod
    def launch(cls):
        zip_path = INSTALLER.replace("-setup.exe", ".zip")
        place = drive_c("我的 程序")
        with zipfile.ZipFile(zip_path) as archive:
            archive.extractall(place)
            folder = archive.namelist()[0].split("/")[0]
        cls.place = place
        end_wine()
        cls.start("wine", os.path.join(place, folder, "shujian.exe"))

    @classmethod
    def tearDownClass(cls):
        end_wine()
        super().tearDownClass()
        shutil.rmtree(cls.place, ignore_errors=True)

    def test_it_runs_and_finds_its_chinese_texts(self):
        self.assertIn("确定", refusal(self))


class AfterwardsTestCase(unittest.TestCase):
    """Without a display, with nothing of the prefix running."""
    before = None

    @classmethod
    def setUpClass(cls):
        env.pop("DISPLAY", None)
        end_wine()

    def assert_nothing_left(self):
        self.assertFalse(os.path.exists(installed()))
        self.assertIsNone(listing())
        self.assertEqual(files_in_prefix() - AfterwardsTestCase.before, set())
        self.assertNotIn(APP_ID, registry_text())


class Uninstalled(AfterwardsTestCase):
    def test_the_uninstaller_leaves_only_the_users_own_file(self):
        self.assertTrue(listing()["QuietUninstallString"].endswith(" /S"))
        self.assertEqual(uninstall().returncode, 0)
        self.assertEqual(os.listdir(installed()), [USERS_OWN])
        self.assertIsNone(listing())
        os.remove(installed(USERS_OWN))
        os.rmdir(installed())
        self.assert_nothing_left()


class Downgraded(AfterwardsTestCase):
    def test_the_older_release_replaces_this_one_and_uninstalls_cleanly(self):
        self.assertEqual(install(INSTALLER).returncode, 0)
        self.assertEqual(install(OLDER).returncode, 0)
        self.assertEqual(listing()["DisplayVersion"], OLDER_VERSION)
        self.assertTrue(os.path.exists(installed(OLDER_ONLY)))
        self.assertEqual(uninstall().returncode, 0)
        self.assert_nothing_left()


class WithoutTheRight(AfterwardsTestCase):
    def test_an_account_that_cannot_write_the_folder_is_told_and_nothing_changes(self):
        # What a standard account meets: the folder cannot be made. A file in its place does
        # the same here, where everything runs as an administrator.
        with open(installed(), "w") as blocking:
            blocking.write("")
        before = state()
        self.assertEqual(install(INSTALLER).returncode, EXIT_NO_RIGHTS)
        self.assertEqual(state(), before)
        os.remove(installed())


def load_tests(loader, tests, pattern):
    # In the order a user goes: install over an older release, use, unzip elsewhere, uninstall.
    suite = unittest.TestSuite()
    for case in (Upgraded, Installed, WhileItRuns, Portable, Uninstalled, Downgraded,
                 WithoutTheRight):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    INSTALLER, PACKAGING = (os.path.abspath(path) for path in sys.argv[1:])
    desktop_e2e.require({**TOOLS, "wine": "wine", "wineserver": "wine", "makensis": "nsis"})
    unittest.main(argv=sys.argv[:1], verbosity=2)
