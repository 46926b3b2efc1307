#!/usr/bin/env python3
"""The prose that states the pseudo-folder's files agrees with the plugin's own
listing, so that adapting the plugin leaves no stale count or name behind."""
import os
import re
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
WORDS = ["no", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"]


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def listing():
    """(count, names) of plugin/panel_listing.cpp."""
    source = read("plugin/panel_listing.cpp")
    count = int(re.search(r"constexpr int ItemCount = (\d+);", source).group(1))
    names = re.findall(r'"([^"]+)"', re.search(r"ItemNames\[.*?\{(.*?)\};", source, re.S).group(1))
    return count, names


class StatedListing(unittest.TestCase):
    def test_readme_states_the_count_and_every_name(self):
        count, names = listing()
        self.assertEqual(len(names), count)
        text = " ".join(read("README.md").split())
        stated = re.search(r"opens on Enter as a panel of (\w+) files, (.*?) of ", text)
        self.assertIsNotNone(stated, "README no longer says what the panel holds")
        self.assertEqual(stated.group(1), WORDS[count] if count < len(WORDS) else str(count))
        self.assertEqual(re.findall(r"`([^`]+)`", stated.group(2)), names)

    def test_no_other_place_counts_the_files_in_words(self):
        count, _ = listing()
        word = WORDS[count] if count < len(WORDS) else str(count)
        for path in ("packaging/make_deb.py", "bench/bench_cases.cpp"):
            with self.subTest(path=path):
                self.assertNotRegex(read(path).lower(), rf"\b{word} (small |fixed )*(files|items)\b")


if __name__ == "__main__":
    unittest.main(verbosity=2)
