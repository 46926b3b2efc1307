"""The Debian package, in a copy of the root: apt installs it; far2l lists QelPlugin once in
F11 and it answers from the installed files, in English and in Russian; apt purges it and
nothing of it is left, not even an empty folder.

The package is the .deb that QELFAR_DEB names.
"""
import os
import shutil

from harness import apt_root, lng, steps
from harness import screen as scr
from harness.session import Far2l, ScreenError
from harness.steps import showing
from scenarios.menus import PANELS, answered

PACKAGE = "far2l-qelfar"
MODULE = "/usr/lib/far2l/Plugins/qelfar/plug/qelfar.far-plug-mb"
LANGUAGE_FILES = "/usr/share/far2l/Plugins/qelfar/plug"


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


def run(journey):
    deb = os.environ.get("QELFAR_DEB")
    if not deb or not os.path.isfile(deb):
        raise AssertionError(f"QELFAR_DEB names no package: {deb!r}")
    with apt_root.copy_of(journey.root) as root:
        before = apt_root.files(root)
        shutil.copy(deb, os.path.join(root, "tmp"))
        apt_root.apt_get(root, "install", "/tmp/" + os.path.basename(deb))
        installed(root)
        panels_menu_answers(journey, root)
        apt_root.apt_get(root, "purge", PACKAGE)
        left = apt_root.files(root) - before
        if left:
            raise AssertionError(f"apt-get purge left {sorted(left)}")
