#!/usr/bin/env python3
"""packaging/release.py against what an attacker or an accident leaves behind:
each damaged input or bad destination gets one line naming it, never a
traceback, and an earlier release is left as it was."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
RELEASE = os.path.join(HERE, "..", "packaging", "release.py")
VERSION = "9.8.7"


def make_deb(folder):
    """A tiny valid package, made with dpkg-deb itself."""
    tree = os.path.join(folder, "debtree")
    os.makedirs(os.path.join(tree, "DEBIAN"))
    with open(os.path.join(tree, "DEBIAN", "control"), "w") as f:
        f.write(f"Package: tiny\nVersion: {VERSION}\nArchitecture: all\n"
                "Maintainer: nobody <nobody@example.invalid>\nDescription: tiny\n")
    deb = os.path.join(folder, "tiny.deb")
    subprocess.run(["dpkg-deb", "--root-owner-group", "--build", tree, deb], check=True,
                   capture_output=True)
    shutil.rmtree(tree)
    return deb


class Fixture(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.source = os.path.join(self.work, "source")
        os.makedirs(os.path.join(self.source, "pkg"))
        with open(os.path.join(self.source, "pkg", "readme.txt"), "w") as f:
            f.write("hello\n")
        with open(os.path.join(self.source, "LICENSE"), "w") as f:
            f.write("Copyright nobody\n")
        with open(os.path.join(self.source, "CHANGELOG.md"), "w") as f:
            f.write(f"# Changelog\n\n## [{VERSION}] - 2026-01-02\n\n- First.\n")
        make_deb(self.source)
        self.list = os.path.join(self.work, "list.txt")
        with open(self.list, "w") as f:
            f.write("thing.zip pkg\nthing.tar.gz pkg\ntiny.deb tiny.deb\n")
        self.out = os.path.join(self.work, "dist", "release")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def release(self, wrap=()):
        command = [*wrap, sys.executable, RELEASE, self.list, self.out, "--source", self.source,
                   "--changelog", os.path.join(self.source, "CHANGELOG.md"), "--version", VERSION]
        return subprocess.run(command, capture_output=True, text=True)

    def assertOneLineRefusal(self, run, *words):
        self.assertNotEqual(run.returncode, 0, run.stdout)
        self.assertNotIn("Traceback", run.stderr)
        lines = run.stderr.strip().splitlines()
        self.assertEqual(len(lines), 1, run.stderr)
        for word in words:
            self.assertIn(word, lines[0])

    def earlier_release(self):
        os.makedirs(self.out)
        with open(os.path.join(self.out, "SHA256SUMS"), "w") as f:
            f.write("earlier\n")

    def assertEarlierReleaseKept(self):
        with open(os.path.join(self.out, "SHA256SUMS")) as f:
            self.assertEqual(f.read(), "earlier\n")
        self.assertEqual(os.listdir(os.path.dirname(self.out)), ["release"])


class Release(Fixture):
    def test_a_whole_release_is_summed_and_names_its_commit(self):
        run = self.release()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(sorted(os.listdir(self.out)),
                         ["COMMIT", "SHA256SUMS", "thing.tar.gz", "thing.zip", "tiny.deb"])
        with open(os.path.join(self.out, "COMMIT")) as f:
            self.assertEqual(f.read(), "unknown\n")
        check = subprocess.run(["sha256sum", "--quiet", "-c", "SHA256SUMS"], cwd=self.out)
        self.assertEqual(check.returncode, 0)

    def test_damaged_inputs_are_named_and_the_earlier_release_stays(self):
        with open(os.path.join(self.source, "tiny.deb"), "rb") as f:
            whole = f.read()
        cases = [
            ("tiny.deb", whole[: len(whole) // 2], "tiny.deb"),
            ("pkg/plugin.dll", b"MZ" + b"\0" * 30, "plugin.dll"),
        ]
        for name, data, named in cases:
            with self.subTest(name=name):
                shutil.rmtree(os.path.dirname(self.out), ignore_errors=True)
                self.earlier_release()
                path = os.path.join(self.source, name)
                kept = None
                if os.path.exists(path):
                    with open(path, "rb") as f:
                        kept = f.read()
                with open(path, "wb") as f:
                    f.write(data)
                try:
                    run = self.release()
                finally:
                    if kept is None:
                        os.remove(path)
                    else:
                        with open(path, "wb") as f:
                            f.write(kept)
                self.assertOneLineRefusal(run, named, "left as it was")
                self.assertEarlierReleaseKept()

    def test_a_file_where_the_release_folder_goes(self):
        os.makedirs(os.path.dirname(self.out))
        with open(self.out, "w") as f:
            f.write("not a folder\n")
        self.assertOneLineRefusal(self.release(), "is a file, not a folder")

    def test_uncommitted_changes_are_warned_of_and_recorded(self):
        def git(*words):
            subprocess.run(["git", "-C", self.source, *words], check=True, capture_output=True)

        git("init", "-q")
        git("add", ".")
        git("-c", "user.name=t", "-c", "user.email=t@example.invalid", "commit", "-qm", "x")
        with open(os.path.join(self.source, "pkg", "readme.txt"), "a") as f:
            f.write("changed\n")
        run = self.release()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("uncommitted changes", run.stderr)
        with open(os.path.join(self.out, "COMMIT")) as f:
            self.assertRegex(f.read(), r"^[0-9a-f]{40} with uncommitted changes\n$")


def private_mount_works():
    probe = subprocess.run(["unshare", "-m", "sh", "-c", "mount -t tmpfs tmpfs /mnt"],
                           capture_output=True)
    return probe.returncode == 0


@unittest.skipUnless(private_mount_works(), "mounting a file system of its own needs root "
                     "and unshare -m, which this machine does not allow")
class Destinations(Fixture):
    def on_mount(self, options):
        dist = os.path.dirname(self.out)
        os.makedirs(dist)
        return self.release(wrap=["unshare", "-m", "sh", "-c",
                                  f'mount -t tmpfs -o {options} tmpfs "{dist}" && exec "$@"',
                                  "sh"])

    def test_a_read_only_dist(self):
        self.assertOneLineRefusal(self.on_mount("ro"), "cannot write", "Read-only")

    def test_a_full_disk(self):
        self.assertOneLineRefusal(self.on_mount("size=16k"), "the disk is full")


if __name__ == "__main__":
    unittest.main(verbosity=2)
