#!/usr/bin/env python3
"""The summary's lines under its table, from a JUnit file as CTest writes it."""
import os
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import test_results  # noqa: E402

JUNIT = """<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="5" failures="1" skipped="3">
  <testcase name="a.one" status="notrun"><skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>
    <system-out>building...
tests skipped: no Wine here
</system-out></testcase>
  <testcase name="a.two" status="notrun"><skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>
    <system-out>tests skipped: no Wine here</system-out></testcase>
  <testcase name="b/three" status="fail"><failure message="Failed"/>
    <system-out>expected 3, got 4</system-out></testcase>
  <testcase name="Unit.Five" status="notrun"><skipped message="Skipped"/>
    <system-out>Note: Google Test filter = Unit.Five
[ RUN      ] Unit.Five
/src/tests/unit_test.cpp:190: Skipped
the Windows host's texts are single-byte

[  SKIPPED ] Unit.Five (0 ms)
</system-out></testcase>
  <testcase name="c.four" status="run"><system-out>fine</system-out></testcase>
</testsuite>
"""


class Summary(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        with open(test_results.results_file(self.folder, "wine"), "w") as f:
            f.write(JUNIT)

    def tearDown(self):
        shutil.rmtree(self.folder)

    def test_skips_carry_their_reason_and_failures_their_output(self):
        skipped, failed = test_results.read(self.folder, "wine", 0)
        lines = test_results.explain(skipped, failed)
        self.assertEqual(lines[0], "skipped in wine, 2 tests: tests skipped: no Wine here")
        self.assertEqual(lines[1], "  a.one, a.two")
        self.assertEqual(lines[2], "skipped in wine, 1 test: the Windows host's texts are single-byte")
        self.assertEqual(lines[3], "  Unit.Five")
        self.assertTrue(lines[4].startswith("failed in wine: b/three; its output: "))
        log = lines[4].split("its output: ")[1]
        with open(log) as f:
            self.assertEqual(f.read(), "expected 3, got 4")
        self.assertEqual(len(lines), 5)

    def test_a_file_older_than_the_run_says_nothing(self):
        self.assertEqual(test_results.read(self.folder, "wine", time.time() + 60), ([], []))
        self.assertEqual(test_results.read(self.folder, "absent", 0), ([], []))


if __name__ == "__main__":
    unittest.main(verbosity=2)
