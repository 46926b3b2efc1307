"""The Debian package, in a copy of the root: beside a copy installed by hand as README
says, apt refuses it and removing the hand-installed copy leaves nothing; then apt
installs it; far2l lists QelPlugin once in F11 and it answers from the installed files,
in English and in Russian; apt purges it and nothing of it is left, not even an empty folder.

The package is the .deb that QELFAR_DEB names.
"""
import os
import shutil
import subprocess
import tempfile

from harness import apt_root, lng, steps
from harness import screen as scr
from harness.session import Far2l, ScreenError
from harness.steps import showing
from scenarios.menus import PANELS, answered

PACKAGE = "far2l-qelfar"
MODULE = "/usr/lib/far2l/Plugins/qelfar/plug/qelfar.far-plug-mb"
LANGUAGE_FILES = "/usr/share/far2l/Plugins/qelfar/plug"
# README's hand-install for every user, which the package refuses to install beside.
HAND_INSTALLED = "/usr/lib/far2l/Plugins/qelfar-by-hand"


def listed_once(f):
    """F11's menu shows QelPlugin on exactly one line."""
    f.keys("F11")
    menu = f.wait_for(showing("QelPlugin in a menu",
                              lambda s: scr.item_steps(s, "QelPlugin") is not None))
    if sum("QelPlugin" in row for row in scr.rows(menu)) != 1:
        raise ScreenError("QelPlugin listed once", menu)
    steps.pick(f, menu, "QelPlugin")


def installed(root):
    for path in [MODULE] + [f"{LANGUAGE_FILES}/qelfar_{lang}.lng" for lang in ("eng", "rus")]:
        if not os.path.isfile(root + path):
            raise AssertionError(f"apt installed no {path}")


def panels_menu_answers(journey, root):
    """In each language, F11's QelPlugin answers with the installed language file's text."""
    for settings, language in (((), "eng"), (("-set:Language.Main=Russian",), "rus")):
        text = lng.messages(f"{root}{LANGUAGE_FILES}/qelfar_{language}.lng")
        f = Far2l(root, settings)
        journey.runs.append(f)
        try:
            f.start()
            listed_once(f)
            answered(f, text[PANELS])
            steps.leave(f)
        finally:
            f.close()  # before the copy goes


def install_by_hand(root, deb):
    """README's hand-install, of the files the package holds, only what far2l loads."""
    with tempfile.TemporaryDirectory() as unpacked:
        subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
        target = root + HAND_INSTALLED + "/plug"
        os.makedirs(target)
        shutil.copy(unpacked + MODULE, target)
        for name in os.listdir(unpacked + LANGUAGE_FILES):
            shutil.copy(os.path.join(unpacked + LANGUAGE_FILES, name), target)


def refused_beside_hand_install(root, deb_in_root, before):
    install_by_hand(root, os.path.join(root, deb_in_root.lstrip("/")))
    try:
        apt_root.apt_get(root, "install", deb_in_root)
    except apt_root.AptFailed as refusal:
        if f"remove it first (rm -r {HAND_INSTALLED})" not in str(refusal):
            raise AssertionError(f"apt refused the package without naming the copy: {refusal}")
    else:
        raise AssertionError(f"apt installed the package beside {HAND_INSTALLED}")
    if os.path.exists(root + MODULE):
        raise AssertionError(f"the refused package left {MODULE}")
    shutil.rmtree(root + HAND_INSTALLED)
    left = apt_root.files(root) - before
    if left:
        raise AssertionError(f"removing the hand-installed copy left {sorted(left)}")


def run(journey):
    deb = os.environ.get("QELFAR_DEB")
    if not deb or not os.path.isfile(deb):
        raise AssertionError(f"QELFAR_DEB names no package: {deb!r}")
    with apt_root.copy_of(journey.root) as root:
        before = apt_root.files(root)
        shutil.copy(deb, os.path.join(root, "tmp"))
        deb_in_root = "/tmp/" + os.path.basename(deb)
        refused_beside_hand_install(root, deb_in_root, before)
        apt_root.apt_get(root, "install", deb_in_root)
        installed(root)
        panels_menu_answers(journey, root)
        apt_root.apt_get(root, "purge", PACKAGE)
        left = apt_root.files(root) - before
        if left:
            raise AssertionError(f"apt-get purge left {sorted(left)}")
