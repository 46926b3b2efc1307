#!/usr/bin/env python3
"""Makes the Debian package of the far2l plugin with Debian's own tools.

usage: make_deb.py PACKAGE_DIR DEB --name NAME --version VERSION
                   --changelog CHANGELOG.md --license LICENSE --work DIR

PACKAGE_DIR holds the built module (*.far-plug-mb) and its UTF-8 language
files. They go where Debian puts far2l's own plugins: the module under
/usr/lib/far2l/Plugins/PLUGIN/plug/, the language files under the
/usr/share twin of that folder, where far2l looks when the module's folder
has none. dpkg-shlibdeps finds the libraries' packages, dpkg-gencontrol
writes the control file, dpkg-deb builds DEB owned by root. Every date is
the release's, from its CHANGELOG.md entry, so two builds give one file.
"""
import glob
import gzip
import hashlib
import os
import shutil
import subprocess
import sys
import textwrap

import changelog

# The project publishes no address yet; the reserved .invalid domain says so.
MAINTAINER = "the qelfar authors <qelfar@users.noreply.invalid>"
SECTION = "utils"
HOST_DEPENDS = "far2l (>= 2.6)"
SYNOPSIS = "QelPlugin, a demonstration plugin for far2l"
DESCRIPTION = """\
QelPlugin adds an entry to far2l's plugins menus of the panels, the editor
and the viewer, and the command prefix "Qel:", each answered with a message
that says where it was called from. A file named far.ads opens as a
pseudo-folder of small fixed files; on that panel F7 opens an input dialog
whose field keeps a history. Its texts are in English and Russian."""
# Where README's hand-install puts the plugin for every user: a folder of its
# own, which the package never owns, so that neither route takes the other's
# files; the package refuses to install beside it (PREINST).
HAND_INSTALLED = "/usr/lib/far2l/Plugins/qelfar-by-hand"
PREINST = f"""\
#!/bin/sh
set -e
if [ "$1" != abort-upgrade ] && [ -e {HAND_INSTALLED} ]; then
    echo "far2l-qelfar: a copy of qelfar installed by hand is in {HAND_INSTALLED}," >&2
    echo "far2l-qelfar: and far2l would list QelPlugin twice: remove it first" \\
         "(rm -r {HAND_INSTALLED})" >&2
    exit 1
fi
"""
# dpkg's own copyright file is in the machine-readable format and names it.
FORMAT_EXAMPLE = "/usr/share/doc/dpkg/copyright"


def copyright_format():
    """The address of Debian's machine-readable copyright format, as dpkg's copyright gives it."""
    with open(FORMAT_EXAMPLE, encoding="utf-8") as f:
        for line in f:
            if line.startswith("Format:"):
                return line.split(":", 1)[1].strip()
    sys.exit(f"make_deb.py: {FORMAT_EXAMPLE} names no Format")


def debian_text(text):
    """TEXT as a control file's continuation lines: each indented, blank ones as '.'."""
    return "\n".join(f" {line}" if line.strip() else " ." for line in text.splitlines())


def write(path, text, mode=0o644):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    os.chmod(path, mode)


def copy(source, folder):
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, os.path.basename(source))
    shutil.copyfile(source, target)
    os.chmod(target, 0o644)  # far2l reads and maps the module; nothing runs it


def copyright_file(license_path, name):
    """The machine-readable copyright: LICENSE's copyright line and its text as Expat,
    Debian's name for this MIT licence."""
    with open(license_path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    at = next(i for i, line in enumerate(lines) if line.startswith("Copyright "))
    holder = lines[at].removeprefix("Copyright (c) ").removeprefix("Copyright ")
    terms = "\n".join(lines[at + 1:]).strip()
    return (f"Format: {copyright_format()}\nUpstream-Name: {name}\n\n"
            f"Files: *\nCopyright: {holder}\nLicense: Expat\n\n"
            f"License: Expat\n{debian_text(terms)}\n")


def debian_changelog(package, version, epoch, bullets):
    when = subprocess.run(["date", "-R", "-u", "-d", f"@{epoch}"], check=True,
                          capture_output=True, text=True).stdout.strip()
    items = "\n".join(textwrap.fill(b, 78, initial_indent="  * ", subsequent_indent="    ")
                      for b in bullets)
    return (f"{package} ({version}) unstable; urgency=medium\n\n{items}\n\n"
            f" -- {MAINTAINER}  {when}\n")


def source_control(package):
    return (f"Source: {package}\nSection: {SECTION}\nPriority: optional\n"
            f"Maintainer: {MAINTAINER}\nRules-Requires-Root: no\n\n"
            f"Package: {package}\nArchitecture: any\n"
            f"Depends: ${{shlibs:Depends}}, {HOST_DEPENDS}\n"
            f"Description: {SYNOPSIS}\n{debian_text(DESCRIPTION)}\n")


def md5sums(root):
    lines = []
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d != "DEBIAN")
        for name in sorted(files):
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                digest = hashlib.md5(f.read()).hexdigest()
            lines.append(f"{digest}  {os.path.relpath(path, root)}\n")
    return "".join(lines)


def stage(args, root, debian, epoch, bullets):
    module = glob.glob(os.path.join(args.package_dir, "*.far-plug-mb"))
    if len(module) != 1:
        sys.exit(f"make_deb: {args.package_dir} holds {len(module)} far2l modules, not one")
    plugin = os.path.basename(module[0]).split(".", 1)[0]
    plug = os.path.join("far2l", "Plugins", plugin, "plug")
    copy(module[0], os.path.join(root, "usr", "lib", plug))
    for language_file in sorted(glob.glob(os.path.join(args.package_dir, "*.lng"))):
        copy(language_file, os.path.join(root, "usr", "share", plug))
    doc = os.path.join(root, "usr", "share", "doc", args.name)
    write(os.path.join(doc, "copyright"), copyright_file(args.license, plugin))
    text = debian_changelog(args.name, args.version, epoch, bullets)
    write(os.path.join(debian, "changelog"), text)
    with open(os.path.join(doc, "changelog.gz"), "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as f:
            f.write(text.encode())
    os.chmod(os.path.join(doc, "changelog.gz"), 0o644)
    write(os.path.join(debian, "control"), source_control(args.name))
    return os.path.join(root, "usr", "lib", plug, os.path.basename(module[0]))


def run(command, cwd, env=None):
    result = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"make_deb: {' '.join(command)} failed:\n{result.stdout}{result.stderr}")


def main():
    args, epoch, bullets = changelog.release_arguments(
        "make_deb", ["package_dir", "deb"], ["name", "version", "changelog", "license", "work"])

    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    root, debian = os.path.join(work, "root"), os.path.join(work, "debian")
    module = stage(args, root, debian, epoch, bullets)
    run(["dpkg-shlibdeps", "-Tdebian/substvars", os.path.relpath(module, work)], work)
    os.makedirs(os.path.join(root, "DEBIAN"))
    run(["dpkg-gencontrol", f"-p{args.name}", "-Proot"], work)
    write(os.path.join(root, "DEBIAN", "md5sums"), md5sums(root))
    write(os.path.join(root, "DEBIAN", "preinst"), PREINST, 0o755)
    for folder, dirs, files in os.walk(root):
        os.chmod(folder, 0o755)
        for name in dirs + files:
            os.utime(os.path.join(folder, name), (epoch, epoch), follow_symlinks=False)
    os.utime(root, (epoch, epoch))
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
    os.makedirs(os.path.dirname(os.path.abspath(args.deb)), exist_ok=True)
    run(["dpkg-deb", "--root-owner-group", "-Zxz", "--build", root, os.path.abspath(args.deb)],
        work, env)
    print(f"{args.deb}: {os.path.getsize(args.deb)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
