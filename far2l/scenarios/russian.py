"""The Russian interface: the plugin answers from its Russian language file."""
from harness import steps
from scenarios.f7_dialog import CANCELLED, Dialog
from scenarios.menus import PANELS, answered


def run(journey):
    text = journey.russian
    dialog = Dialog(text)
    f = journey.far2l("-set:Language.Main=Russian", files=["far.ads"])
    f.start()
    steps.plugins_menu(f)
    answered(f, text[PANELS])
    steps.open_far_ads(f)
    dialog.accept_typed(f, "Проверка связи")
    dialog.open(f)
    f.keys("Escape")
    dialog.answers(f, [text[CANCELLED]])
    steps.leave(f)
