"""Checks each artefact of the release as its own tool reads it, before
anything is summed: a damaged file is named with what its reader said.

PE files (.dll, .exe) are read back with pefile; zips and tarballs are listed
and each member read; a .deb goes through dpkg-deb --info and --contents.
"""
import os
import sys
import subprocess
import tarfile
import zipfile


class Damaged(Exception):
    pass


def check_pe(path):
    try:
        import pefile
    except ImportError:
        sys.exit(f"release: {sys.executable} has no pefile module to read {path} with: "
                 f"install python3-pefile (make deps does), or configure with "
                 f"-DPython3_EXECUTABLE=/usr/bin/python3")

    try:
        image = pefile.PE(path, fast_load=False)
    except pefile.PEFormatError as error:
        raise Damaged(f"{path} is not a readable PE file: {error}") from None
    # pefile's warnings are guesses (a mostly-zero file, say); a truncated
    # image shows as a section that ends past the file.
    size = len(image.__data__)
    for section in image.sections:
        if section.PointerToRawData + section.SizeOfRawData > size:
            name = section.Name.rstrip(b"\0").decode("ascii", "replace")
            raise Damaged(f"{path} is cut short: its section {name} ends past the file")


def check_deb(path):
    for option in ("--info", "--contents"):
        run = subprocess.run(["dpkg-deb", option, path], capture_output=True, text=True)
        if run.returncode != 0:
            said = (run.stderr.strip().splitlines() or ["no reason given"])[-1]
            raise Damaged(f"{path} is not a readable package: dpkg-deb {option}: {said}")


def check_zip(path):
    try:
        with zipfile.ZipFile(path) as archive:
            broken = archive.testzip()
    except (zipfile.BadZipFile, OSError, EOFError) as error:
        raise Damaged(f"{path} is not a readable zip: {error}") from None
    if broken:
        raise Damaged(f"{path}: its member {broken} is damaged")


def check_tar_gz(path):
    try:
        with tarfile.open(path, "r:gz") as archive:
            for member in archive:
                if member.isfile():
                    archive.extractfile(member).read()
    except (tarfile.TarError, OSError, EOFError) as error:
        raise Damaged(f"{path} is not a readable tarball: {error}") from None


def check_file(path):
    """Checks one file by its kind, known from its name; other kinds pass."""
    name = path.lower()
    if name.endswith((".dll", ".exe")):
        check_pe(path)
    elif name.endswith(".deb"):
        check_deb(path)
    elif name.endswith(".zip"):
        check_zip(path)
    elif name.endswith(".tar.gz"):
        check_tar_gz(path)


def check_tree(path):
    """A file, or every file of a folder that is to be packed."""
    if os.path.isdir(path):
        for name in sorted(os.listdir(path)):
            check_file(os.path.join(path, name))
    else:
        check_file(path)
