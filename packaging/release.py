#!/usr/bin/env python3
"""Writes the release: the files a list names, SHA256SUMS and COMMIT, into OUT_DIR.

usage: release.py LIST OUT_DIR --source DIR --changelog CHANGELOG.md --version VERSION

Each line of LIST is `NAME PATH` (PATH relative to DIR). A folder is packed
as NAME, a .zip or a .tar.gz holding the folder under its own name with
LICENSE beside its files; a file is copied as NAME. Entries are sorted, owned
by root and dated the release's day (from its CHANGELOG.md entry), and the
gzip header carries no name or time, so the same inputs give the same bytes.

Every input is read back by its own tool before anything is packed, and every
archive after it is written (artefacts.py). The release is made in a new folder
beside OUT_DIR and moved into place only when whole, so a failure leaves
OUT_DIR as it was. COMMIT names the commit the sources came from ("unknown"
without git), outside the archives, whose bytes do not depend on it.
"""
import gzip
import errno
import hashlib
import io
import os
import shutil
import subprocess
import sys
import tempfile
import tarfile
import time
import zipfile

import artefacts
import changelog


def read_list(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split("#", 1)[0].split()
            if words:
                name, source = words
                entries.append((name, source))
    return entries


def folder_files(folder, license_path):
    """(path in the archive, file on disk, mode) for FOLDER's files and LICENSE, sorted."""
    top = os.path.basename(os.path.normpath(folder))
    files = [(f"{top}/LICENSE", license_path)]
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            sys.exit(f"release: {path} is not a file; a packed folder holds files only")
        files.append((f"{top}/{name}", path))
    return top, [(inside, path, 0o755 if os.access(path, os.X_OK) else 0o644)
                 for inside, path in sorted(files)]


def write_zip(target, top, files, epoch):
    stamp = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(target, "w") as archive:
        folder = zipfile.ZipInfo(f"{top}/", stamp)
        folder.create_system = 3  # Unix, so that the modes below are read
        folder.external_attr = (0o40755 << 16) | 0x10
        archive.writestr(folder, b"")
        for inside, path, mode in files:
            info = zipfile.ZipInfo(inside, stamp)
            info.create_system = 3
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


def write_tar_gz(target, top, files, epoch):
    def entry(name, kind, mode, size=0):
        info = tarfile.TarInfo(name)
        info.type, info.mode, info.size, info.mtime = kind, mode, size, epoch
        info.uid = info.gid = 0
        info.uname = info.gname = "root"
        return info

    with open(target, "wb") as raw, \
            gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as packed, \
            tarfile.open(fileobj=packed, mode="w", format=tarfile.USTAR_FORMAT) as archive:
        archive.addfile(entry(f"{top}/", tarfile.DIRTYPE, 0o755))
        for inside, path, mode in files:
            with open(path, "rb") as f:
                data = f.read()
            archive.addfile(entry(inside, tarfile.REGTYPE, mode, len(data)), io.BytesIO(data))


def make(name, source, out, license_path, epoch):
    target = os.path.join(out, name)
    if not os.path.exists(source):
        sys.exit(f"release: {source} is missing; make release builds it")
    artefacts.check_tree(source)
    if os.path.isfile(source):
        shutil.copyfile(source, target)
        return
    top, files = folder_files(source, license_path)
    if name.endswith(".zip"):
        write_zip(target, top, files, epoch)
    elif name.endswith(".tar.gz"):
        write_tar_gz(target, top, files, epoch)
    else:
        sys.exit(f"release: {name}: a folder is packed as .zip or .tar.gz")
    artefacts.check_file(target)


def source_commit(source):
    """The commit of SOURCE's checkout, and whether its tree has changes; ("unknown",
    False) where there is no git or no checkout."""
    def git(*words):
        return subprocess.run(["git", "-C", source, *words], capture_output=True, text=True)

    try:
        head = git("rev-parse", "--verify", "HEAD")
    except OSError:
        return "unknown", False
    if head.returncode != 0:
        return "unknown", False
    changes = git("status", "--porcelain", "--untracked-files=no")
    return head.stdout.strip(), bool(changes.stdout.strip())


def fresh_folder(out):
    """A new empty folder beside OUT, where the release is made."""
    parent = os.path.dirname(os.path.abspath(out)) or "."
    if os.path.exists(out) and not os.path.isdir(out):
        sys.exit(f"release: {out} is a file, not a folder: move it away and run make release again")
    os.makedirs(parent, exist_ok=True)
    return tempfile.mkdtemp(prefix=".release-", dir=parent)


def put_in_place(made, out):
    """Replaces OUT by the folder MADE, the old release removed only once the new one is there."""
    old = None
    if os.path.isdir(out):
        old = tempfile.mkdtemp(prefix=".release-old-", dir=os.path.dirname(made))
        os.rename(out, os.path.join(old, "release"))
    os.rename(made, out)
    if old:
        shutil.rmtree(old)


def write_release(args, epoch, made):
    sums = []
    for name, source in read_list(args.list):
        make(name, os.path.join(args.source, source), made,
             os.path.join(args.source, "LICENSE"), epoch)
        with open(os.path.join(made, name), "rb") as f:
            sums.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
    with open(os.path.join(made, "SHA256SUMS"), "w") as f:
        f.writelines(sums)
    commit, changed = source_commit(args.source)
    if changed:
        print(f"release: warning: the sources have uncommitted changes, so this is not the "
              f"release of commit {commit}", file=sys.stderr)
    with open(os.path.join(made, "COMMIT"), "w") as f:
        f.write(f"{commit}{' with uncommitted changes' if changed else ''}\n")
    return sums


def main():
    args, epoch, _ = changelog.release_arguments(
        "release", ["list", "out"], ["source", "changelog", "version"])

    made = None
    try:
        made = fresh_folder(args.out)
        sums = write_release(args, epoch, made)
        put_in_place(made, args.out)
        made = None
    except artefacts.Damaged as error:
        sys.exit(f"release: {error}; {args.out} is left as it was (remove the file and "
                 f"run make release again to rebuild it)")
    except OSError as error:
        where = error.filename or args.out
        reason = "the disk is full" if error.errno == errno.ENOSPC else error.strerror
        sys.exit(f"release: cannot write {where}: {reason}; {args.out} is left as it was")
    finally:
        if made:
            shutil.rmtree(made, ignore_errors=True)
    print(f"{args.out}:", *(line.split()[1] for line in sums), "SHA256SUMS", "COMMIT",
          sep="\n  ")
    return 0


if __name__ == "__main__":
    sys.exit(main())
