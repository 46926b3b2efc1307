#!/usr/bin/env python3
"""Writes the release: the files a list names, and SHA256SUMS, into an empty folder.

usage: release.py LIST OUT_DIR --source DIR --changelog CHANGELOG.md --version VERSION

Each line of LIST is `NAME PATH` (PATH relative to DIR). A folder is packed
as NAME, a .zip or a .tar.gz holding the folder under its own name with
LICENSE beside its files; a file is copied as NAME. Entries are sorted, owned
by root and dated the release's day (from its CHANGELOG.md entry), and the
gzip header carries no name or time, so the same inputs give the same bytes.
"""
import gzip
import hashlib
import io
import os
import shutil
import sys
import tarfile
import time
import zipfile

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
    if os.path.isfile(source):
        shutil.copyfile(source, target)
        return
    if not os.path.isdir(source):
        sys.exit(f"release: {source} is missing; make release builds it")
    top, files = folder_files(source, license_path)
    if name.endswith(".zip"):
        write_zip(target, top, files, epoch)
    elif name.endswith(".tar.gz"):
        write_tar_gz(target, top, files, epoch)
    else:
        sys.exit(f"release: {name}: a folder is packed as .zip or .tar.gz")


def main():
    args, epoch, _ = changelog.release_arguments(
        "release", ["list", "out"], ["source", "changelog", "version"])

    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(args.out)
    sums = []
    for name, source in read_list(args.list):
        make(name, os.path.join(args.source, source), args.out,
             os.path.join(args.source, "LICENSE"), epoch)
        with open(os.path.join(args.out, name), "rb") as f:
            sums.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
    with open(os.path.join(args.out, "SHA256SUMS"), "w") as f:
        f.writelines(sums)
    print(f"{args.out}:", *(line.split()[1] for line in sums), "SHA256SUMS", sep="\n  ")
    return 0


if __name__ == "__main__":
    sys.exit(main())
