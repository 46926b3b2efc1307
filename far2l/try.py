#!/usr/bin/env python3
"""far2l with qelfar installed, in this terminal, to try the plugin by hand.

usage: try.py PACKAGE_DIR [FAR2L_OPTION...]   (e.g. -set:Language.Main=Russian)
far2l runs inside the cached Debian 13 root (see make_root.py) with a
throwaway profile, temp folder and work folder that holds a sample far.ads, a
plain file and a second far.ads in sub/; they are removed when far2l ends. Its
panels start in the Full view, which shows sizes.
"""
import os
import subprocess
import sys

from harness import enter, install, procs, rootfs
from harness.run_folder import RunFolder

# Both panels in the Full view, the one that shows sizes, as README's screens do.
FULL_VIEW = ["-set:Panel/Left.ViewMode=3", "-set:Panel/Right.ViewMode=3"]
KEYS = ("Keys to try: F11 for QelPlugin, Enter on far.ads, F7 on its panel, Ctrl+Down in the "
        "dialog for the history, F10 to leave.")
SAMPLES = {
    "far.ads": "Enter on this file opens it as qelfar's panel.\n",
    "notes.txt": "A plain file: qelfar leaves it to far2l.\n",
    "sub/far.ads": "A second far.ads, refused while the first one is open.\n",
}


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    procs.exit_on_signals()  # a closed terminal still removes the throwaway folders
    package, options = os.path.abspath(sys.argv[1]), sys.argv[2:]
    try:
        install.check_package(package)
        root = rootfs.ensure_root()
    except (install.NoPackage, rootfs.RootUnavailable) as error:
        print(f"make try: {error.reason}", file=sys.stderr)
        return 1
    run = RunFolder(root)
    try:
        for name, text in SAMPLES.items():
            run.write(name, text)
        command = run.command(FULL_VIEW + options, [".", "sub"],
                              os.environ.get("TERM", "xterm-256color"))
        with install.installed(root, package):
            print(KEYS)
            if sys.stdin.isatty():  # far2l takes the whole screen: let the line be read
                input("Press Enter to start far2l.")
            status = subprocess.run(enter.launcher(root) + command).returncode
    finally:
        run.remove()
    return status


if __name__ == "__main__":
    sys.exit(main())
