#!/usr/bin/env python3
"""End-to-end checks of the real window through shujian-probe.

usage: SHUJIAN_NAME=... SHUJIAN_VERSION=... probe_e2e.py [EMULATOR] PATH_TO_SHUJIAN_PROBE
(CTest passes the name and version from CMake)

With SHUJIAN_REFERENCE_PROBE set to another build's probe (the Linux one, when this one is the
Windows build run under wine), it also checks that both print the same for every case here.
"""
import json
import os
import subprocess
import sys
import unittest

PROBE = None
NAME = os.environ["SHUJIAN_NAME"]
PROMPT = "在此输入QQ号码"
CLOSING = "本软件由 澄谷 开发，娱乐之用，切勿迷信。"

# (input, outcome, number): the last eight characters modulo 80, 81 kept whole.
WORKED = [("12345678", "report", 78), ("13812345678", "report", 78),
          ("123456789", "report", 69), ("88888", "report", 8), ("10000", "report", 80),
          ("81", "report", 81), ("0081", "report", 81), ("161", "report", 1),
          ("100000081", "report", 1), ("12abc", "report", 12), ("&H10", "report", 16),
          ("1E5", "report", 80), ("1234abcd5678", "report", 80), ("2.5", "report", 2),
          ("3.5", "report", 4), ("0.4", "report", 80), ("-80", "report", 80),
          ("abc", "rejected", None), ("0", "rejected", None), ("0.0", "rejected", None),
          ("", "rejected", None), ("-5", "beyond", None), ("3E9", "beyond", None),
          ("1E400", "beyond", None)]
EVERYDAY = ["88888", "112233", "12345 ", "abc", "-5", "81", "\ud800", "1\t2", "９９"]
HOSTILE = ["\ud800", "\udfff12345", "12\u0000" * 3, "\r\n81", " " * 50, "１２３", "😀" * 9,
           "8" * 400, "&H" + "F" * 300, "1" + "号" * 20000]


def probe(*args, inputs=None):
    return [json.loads(line) for line in probe_output(PROBE, *args, inputs=inputs)]


def probe_output(command, *args, inputs=None):
    text = None if inputs is None else "".join(json.dumps(i) + "\n" for i in inputs)
    done = subprocess.run([*command, *args], input=text, capture_output=True, text=True,
                          encoding="utf-8", timeout=120, check=True)
    return done.stdout.splitlines()


class Runs(unittest.TestCase):
    def test_the_worked_examples_reduce_as_expected(self):
        for (text, outcome, number), run in zip(WORKED, probe(inputs=[c[0] for c in WORKED])):
            with self.subTest(text=text):
                self.assertEqual(run["input"], text)
                self.assertEqual(run["outcome"], outcome)
                self.assertEqual(run["fortune"], number)
                if outcome == "report":
                    lines = run["result"].split("\n")
                    self.assertEqual(len(lines), 31)
                    self.assertEqual(lines[0], "你所测的数字是：" + text)
                    self.assertEqual(lines[2], "这个数字的数理是：%d" % number)
                    self.assertEqual(lines[30], CLOSING)
                    self.assertIsNone(run["message"])
                    self.assertEqual(run["qqnum"], text)
                    self.assertNotEqual(run["verdict"], "")
                else:
                    self.assertEqual(run["caption"], NAME)
                    self.assertEqual(run["verdict"], "")
                    self.assertEqual(run["appraisal"], "")
                    self.assertEqual(run["qqnum"], PROMPT if outcome == "rejected" else text)

    def test_the_road_of_one_request(self):
        [run] = probe(inputs=["13812345678"])
        self.assertEqual(run["verdict"], "这个QQ号不太好拉，建议换一个！")
        self.assertEqual(run["appraisal"], "")

    def test_enter_and_click_agree(self):
        by_enter = probe(inputs=EVERYDAY)
        by_click = probe("--click", inputs=EVERYDAY)
        self.assertEqual(by_enter, by_click)

    def test_a_rejection_shows_the_introduction(self):
        [table] = probe("--table")
        runs = probe(inputs=["12345678", "abc"])
        self.assertEqual(runs[1]["result"], table["intro"])
        self.assertEqual(runs[1]["message"], "抱歉，本软件无该数字（不是数字吧）的信息！")

    def test_hostile_inputs_do_not_upset_the_window(self):
        runs = probe(inputs=HOSTILE)
        self.assertEqual(len(runs), len(HOSTILE))
        for run in runs:
            self.assertIn(run["outcome"], ("report", "rejected", "beyond"))


class Startup(unittest.TestCase):
    def test_the_table_is_filled_and_the_introduction_kept(self):
        [table] = probe("--table")
        self.assertEqual([len(table["rows"]), len(table["saying_three"])], [82, 82])
        self.assertTrue(table["rows"][81][2].startswith("【大吉】"))
        self.assertEqual(len(table["intro"].split("\n")), 19)  # 18 lines, each ended

    def test_layout(self):
        [layout] = probe("--layout")
        self.assertEqual(layout["caption"], "%s v%s" % (NAME, os.environ["SHUJIAN_VERSION"]))
        self.assertEqual(layout["client"], [401, 319])
        self.assertFalse(layout["resizable"])
        self.assertEqual(layout["focus"], "qqnum")
        self.assertEqual(layout["selection"], [0, 8])
        self.assertEqual(layout["tab_order"], ["qqnum", "resulttxt", "Command1", "qqnum"])
        controls = {(c["name"], c["index"]): c for c in layout["controls"]}
        self.assertEqual(controls[("qqnum", None)]["cursor"], "ibeam")
        self.assertEqual(controls[("resulttxt", None)]["cursor"], "arrow-picture")
        self.assertEqual(controls[("Command1", None)]["text"], "好 了")
        self.assertEqual({key: control["rect"] for key, control in controls.items()}, {
            ("Command1", None): [312, 8, 73, 25], ("qqnum", None): [16, 8, 281, 25],
            ("Label2", None): [48, 304, 297, 25], ("Label1", None): [0, 0, 401, 41],
            ("resulttxt", None): [8, 48, 385, 249], ("Line1", None): [0, 39, 400, 2],
            ("Image1", 5): [0, 296, 24, 22], ("Image1", 6): [368, 296, 24, 22],
            ("Image1", 0): [0, 16, 401, 309]})


@unittest.skipUnless(os.environ.get("SHUJIAN_REFERENCE_PROBE"), "no reference probe named")
class SameAsReference(unittest.TestCase):
    def test_every_case_prints_the_same(self):
        reference = [os.environ["SHUJIAN_REFERENCE_PROBE"]]
        self.assertTrue(os.path.exists(reference[0]), reference[0] + " is not built")
        inputs = [case[0] for case in WORKED] + EVERYDAY + HOSTILE
        for args in ((), ("--click",), ("--table",), ("--layout",)):
            with self.subTest(args=args):
                given = None if args in (("--table",), ("--layout",)) else inputs
                self.assertEqual(probe_output(PROBE, *args, inputs=given),
                                 probe_output(reference, *args, inputs=given))


if __name__ == "__main__":
    PROBE = sys.argv[1:]
    del sys.argv[1:]
    unittest.main(verbosity=1)
