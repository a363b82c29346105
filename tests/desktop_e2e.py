#!/usr/bin/env python3
"""The real program at a real X11 desktop: Xvfb with the openbox window manager, keys and clicks
from xdotool, the clipboard and the selection through xclip. It checks what only a display with
a window manager shows: where the framed window lands, which keys start a run, what pasting a
copied line that ends in a line break gives, what the next number does to the prompt after a
rejection, what the middle button pastes, and that a double click on the credit label opens the
page once.

usage: SHUJIAN_NAME=... desktop_e2e.py PATH_TO_SHUJIAN (CTest passes the name from CMake)
Exits 77 (skipped) when one of the tools is missing, or fails then if CI is set, so that a CI
machine cannot pass it without running it.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SCREEN = (1024, 768)
CLIENT = (401, 319)
REPORT_HEAD = "你所测的数字是："
# Each tool, with the Debian package that has it.
TOOLS = {"Xvfb": "xvfb", "openbox": "openbox", "xdotool": "xdotool", "xclip": "xclip",
         "xprop": "x11-utils", "xwininfo": "x11-utils"}

SHUJIAN = None
NAME = os.environ["SHUJIAN_NAME"]
env = dict(os.environ)


def run(*args, **kwargs):
    return subprocess.run(args, env=env, capture_output=True, text=True, timeout=20, **kwargs)


def wait_for(what, probe, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def trunc_div(a, b):
    return int(a / b)  # the program's integer division truncates toward zero


class DesktopSession(unittest.TestCase):
    """A display with a window manager, a stand-in browser, the program started by launch(), and
    what a user does there; the Windows installer's test runs the same under wine."""

    @classmethod
    def setUpClass(cls):
        # Each cleanup is registered as its need arises, so that a failing start leaves nothing.
        cls.home = tempfile.mkdtemp(prefix="shujian-desktop-")
        cls.addClassCleanup(shutil.rmtree, cls.home, ignore_errors=True)
        read_end, write_end = os.pipe()
        cls.start("Xvfb", "-displayfd", str(write_end), "-screen", "0",
                  "%dx%dx24" % SCREEN, "-nolisten", "tcp", pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as display:
            env["DISPLAY"] = ":" + display.readline().strip()
        cls.start("openbox", "--sm-disable")
        wait_for("openbox", lambda: "window id" in run("xprop", "-root",
                                                       "_NET_SUPPORTING_WM_CHECK").stdout)
        # Where the credit label's page goes: a stand-in browser that notes each URL.
        cls.opened = os.path.join(cls.home, "opened")
        browser = os.path.join(cls.home, "xdg-open")
        with open(browser, "w") as script:
            script.write('#!/bin/sh\necho "$1" >> "%s"\n' % cls.opened)
        os.chmod(browser, 0o755)
        env["PATH"] = cls.home + os.pathsep + env.get("PATH", "")
        env.pop("WAYLAND_DISPLAY", None)
        cls.launch()
        cls.window = wait_for("the window", lambda: run(
            "xdotool", "search", "--onlyvisible", "--name", "^%s v" % NAME).stdout.split(), 60)[0]

    @classmethod
    def launch(cls):
        env["QT_QPA_PLATFORM"] = "xcb"
        cls.start(SHUJIAN)

    @classmethod
    def start(cls, *args, **kwargs):
        process = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, **kwargs)
        cls.addClassCleanup(process.wait, timeout=10)
        cls.addClassCleanup(process.terminate)

    def key(self, *keys):
        run("xdotool", "key", "--clearmodifiers", *keys, check=True)

    def set_clipboard(self, text, selection="clipboard"):
        subprocess.run(["xclip", "-selection", selection, "-i"], input=text, env=env,
                       text=True, check=True, timeout=20)

    def clipboard(self):
        return run("xclip", "-selection", "clipboard", "-o").stdout

    def copied(self, *keys, timeout=10.0):
        """What the keys copy to the clipboard."""
        sentinel = "(nothing copied yet)"
        self.set_clipboard(sentinel)
        self.key(*keys)
        return wait_for("the copy", lambda: (lambda t: t if t != sentinel else None)(
            self.clipboard()), timeout)

    def result(self):
        """The report box's text; back in the input box after."""
        return self.copied("Tab", "ctrl+a", "ctrl+c", "shift+Tab")

    def input_text(self):
        try:
            return self.copied("ctrl+a", "ctrl+c", timeout=2.0)
        except AssertionError:
            return ""  # an empty box copies nothing

    def type(self, text):
        run("xdotool", "type", "--delay", "20", text, check=True)

    def type_number(self, text):
        self.key("ctrl+a")
        self.type(text)

    @staticmethod
    def message_box():
        return run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % NAME).stdout

    def close_message_box(self):
        """Waits for the message box, presses its OK, and waits until the window has the keys."""
        wait_for("the message box", self.message_box)
        self.key("Return")
        wait_for("the window back", lambda: not self.message_box() and run(
            "xdotool", "getactivewindow").stdout.strip() == self.window)

    def assert_placed_centred_and_a_fifth_down(self, slack=(0, 0)):
        """The framed window's top left where the program puts it; slack allows for a frame the
        program was told of that differs from the one the window manager draws."""
        def frame():
            extents = run("xprop", "-id", self.window, "_NET_FRAME_EXTENTS").stdout
            if "=" not in extents:
                return None
            left, right, top, bottom = (int(v) for v in extents.split("=")[1].split(","))
            info = run("xwininfo", "-id", self.window).stdout
            x = int(info.split("Absolute upper-left X:")[1].split()[0])
            y = int(info.split("Absolute upper-left Y:")[1].split()[0])
            return (x - left, y - top), (CLIENT[0] + left + right, CLIENT[1] + top + bottom)

        (_, outer) = wait_for("the frame", frame)
        # The program works in twips, 15 to the pixel; the truncations land where pixels do.
        expected = (trunc_div(SCREEN[0] - outer[0], 2), trunc_div(SCREEN[1] - outer[1], 5))
        wait_for("the window at %s, give or take %s" % (expected, slack), lambda: all(
            abs(at - want) <= give for at, want, give in zip(frame()[0], expected, slack)),
            timeout=5)

    def assert_the_credit_label_opens_the_page_once(self):
        run("xdotool", "mousemove", "--window", self.window, "60", "310", check=True)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1", check=True)
        def opened():
            if not os.path.exists(self.opened):
                return []
            with open(self.opened) as log:
                return log.read().split()

        pages = wait_for("the page", opened)
        time.sleep(1.0)  # time for a second opening, if there were one
        self.assertEqual(opened(), pages)
        self.assertEqual(len(pages), 1)
        self.assertTrue(pages[0].startswith("https://"))


class Desktop(DesktopSession):
    def test_the_framed_window_sits_centred_and_a_fifth_down(self):
        self.assert_placed_centred_and_a_fifth_down()

    def test_only_enter_alone_or_with_shift_starts_a_run(self):
        for keys, runs in (("ctrl+Return", False), ("alt+Return", False),
                           ("shift+Return", True), ("KP_Enter", True)):
            self.type_number("12345")
            self.key(keys)
            shown = self.result()
            self.assertEqual(shown.startswith(REPORT_HEAD + "12345\n"), runs, keys)
            self.key("Escape")
            if runs:  # back to the introduction for the next key
                self.type_number("0")
                self.key("Return")
                self.close_message_box()

    def test_a_copied_line_with_its_line_break_pastes_as_the_number(self):
        self.set_clipboard("13812345678\n")
        self.key("ctrl+a", "ctrl+v", "Return")
        lines = self.result().split("\n")
        self.assertEqual(lines[0], REPORT_HEAD + "13812345678")
        self.assertEqual(lines[2], "这个数字的数理是：78")

    def test_after_a_rejection_the_next_number_replaces_the_prompt(self):
        self.type_number("abc")
        self.key("Return")
        self.close_message_box()
        self.type("88888")
        self.key("Return")
        lines = self.result().split("\n")
        self.assertEqual(lines[0], REPORT_HEAD + "88888")
        self.assertEqual(lines[2], "这个数字的数理是：8")
        self.assertEqual(self.input_text(), "88888")

    def test_a_middle_click_pastes_the_first_line_of_the_selection_over_the_number(self):
        # The press selects the whole number; the release pastes wherever it lands.
        in_box, over_the_report = ("100", "20"), ("200", "150")
        for release, selection, kept in ((in_box, "88888", "88888"),
                                         (in_box, "", "12345"),
                                         (over_the_report, "12\n34", "12")):
            self.type_number("12345")
            self.set_clipboard(selection, "primary")
            run("xdotool", "mousemove", "--window", self.window, *in_box, "mousedown", "2",
                "mousemove", "--window", self.window, *release, "mouseup", "2", check=True)
            self.assertEqual(self.input_text(), kept, release)

    def test_a_double_click_on_the_credit_label_opens_the_page_once(self):
        self.assert_the_credit_label_opens_the_page_once()


def require(tools):
    """Exits 77 (skipped) when a tool is missing, or fails then if CI is set."""
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        message = "missing %s (Debian: apt-get install %s)" % (
            " ".join(missing), " ".join(sorted({tools[tool] for tool in missing})))
        if os.environ.get("CI"):
            sys.exit("failed: " + message)
        print("skipped: " + message)
        sys.exit(77)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    SHUJIAN = os.path.abspath(sys.argv[1])
    require(TOOLS)
    unittest.main(argv=sys.argv[:1], verbosity=2)
