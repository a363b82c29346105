#!/usr/bin/env python3
"""The Windows release as a Windows user meets it, under wine at an X11 desktop (Xvfb, openbox,
xdotool, xclip): the installer installs silently into a fresh wine prefix; the program started
from its Start-menu shortcut sits where it places itself, gives the report of 13812345678 on
Enter, refuses "abc" with Qt's Chinese 确定 and opens the maker's page; the zip's folder runs from
a path with Chinese characters and spaces; the uninstaller, found where Windows lists installed
programs, leaves nothing of the program behind.

usage: installer_e2e.py PATH_TO_SETUP_EXE
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

import desktop_e2e
from desktop_e2e import REPORT_HEAD, TOOLS, env, wait_for

INSTALLER = None
NAME = "澄谷数鉴"
PROGRAM = "C:\\Program Files\\%s\\shujian.exe" % NAME
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\example.chenggu.shujian"
prefix = None


def wine(*args, settle=False, timeout=180):
    """Runs a Windows program; with settle, also waits until wine has nothing left running (an
    uninstaller hands its work to a copy of itself and returns at once)."""
    done = subprocess.run(["wine", *args], env=env, capture_output=True, text=True,
                          encoding="utf-8", errors="replace", timeout=timeout)
    if settle:
        subprocess.run(["wineserver", "-w"], env=env, timeout=timeout)
    return done


def drive_c(*parts):
    return os.path.join(prefix, "drive_c", *parts)


def files_in_prefix():
    """Every file and folder of drive C:, less the uninstaller's own copy of itself in the user's
    temporary folder, which NSIS leaves for Windows to clear, and the registry as text."""
    found = set()
    for top, folders, names in os.walk(drive_c()):
        for name in folders + names:
            path = os.path.relpath(os.path.join(top, name), drive_c())
            if not ("Temp" + os.sep + "~nsu") in path:
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
            values[name.strip('"')] = value.strip('"').replace('\\"', '"').replace("\\\\", "\\")
    return values


def registry_text():
    text = ""
    for hive in ("system.reg", "user.reg"):
        with open(os.path.join(prefix, hive), encoding="utf-8", errors="replace") as reg:
            text += reg.read()
    return text


def setUpModule():
    global prefix
    prefix = tempfile.mkdtemp(prefix="shujian-wine-")
    # LC_ALL: wine's reg prints the names in Chinese, not as question marks.
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               LC_ALL="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("DISPLAY", None)
    wine("wineboot", "--init", settle=True)
    Uninstalled.before = files_in_prefix()
    done = wine(INSTALLER, "/S", settle=True)
    if done.returncode != 0:
        raise AssertionError("the silent install failed: " + done.stderr)


def tearDownModule():
    end_wine()
    shutil.rmtree(prefix, ignore_errors=True)


def refusal(session):
    """What the message box for "abc" shows, copied as Windows copies a message box with Ctrl+C:
    its caption, text and buttons. The box is closed after."""
    session.type_number("abc")
    session.key("Return")
    wait_for("the message box", session.message_box)
    shown = session.copied("ctrl+c")
    session.close_message_box()
    return shown


def end_wine():
    """Ends every Windows program of the prefix, as closing the session's display would."""
    subprocess.run(["wineserver", "-k"], env=env, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, timeout=60)


class Installed(desktop_e2e.DesktopSession):
    @classmethod
    def launch(cls):
        end_wine()  # so that wine's desktop process starts on this display
        cls.start("wine", PROGRAM)

    @classmethod
    def tearDownClass(cls):
        end_wine()
        super().tearDownClass()

    def test_the_framed_window_sits_centred_and_a_fifth_down(self):
        # Wine tells the program of a Windows frame (a thicker border, a taller caption) while
        # openbox draws its own thin one; the window lands by the first, is seen by the second.
        self.assert_placed_centred_and_a_fifth_down(slack=(2, 8))

    def test_the_start_menu_has_a_shortcut_to_the_program(self):
        # Wine cannot open a shortcut here, so read what it points at: the folder and the file
        # are among the shortcut's own names of the target, in UTF-16.
        shortcut = drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                           NAME + ".lnk")
        with open(shortcut, "rb") as link:
            data = link.read()
        for name in (NAME, "shujian.exe"):
            self.assertIn(name.encode("utf-16-le"), data)

    def test_windows_lists_it_with_its_icon_version_and_publisher(self):
        values = listing()
        self.assertEqual(values["DisplayName"], NAME)
        self.assertEqual(values["DisplayVersion"], "1.1")
        self.assertEqual(values["Publisher"], "澄谷软件")
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


class Uninstalled(unittest.TestCase):
    before = None

    def test_the_uninstaller_leaves_nothing_behind(self):
        env.pop("DISPLAY", None)
        end_wine()
        program, argument = listing()["QuietUninstallString"].rsplit(" ", 1)
        self.assertEqual(argument, "/S")
        done = wine(program.strip('"'), argument, settle=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertFalse(os.path.exists(drive_c("Program Files", NAME)))
        self.assertIsNone(listing())
        self.assertEqual(files_in_prefix() - self.before, set())
        self.assertNotIn("example.chenggu.shujian", registry_text())


def load_tests(loader, tests, pattern):
    # In the order a user goes: install, use, unzip elsewhere, uninstall.
    suite = unittest.TestSuite()
    for case in (Installed, Portable, Uninstalled):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    INSTALLER = os.path.abspath(sys.argv[1])
    desktop_e2e.require({**TOOLS, "wine": "wine", "wineserver": "wine"})
    unittest.main(argv=sys.argv[:1], verbosity=2)
