"""What a scenario gets: far2l runs in the cached root, and the package's texts by number."""
import os

from harness import lng
from harness.session import Far2l


class Journey:
    def __init__(self, root, package):
        self.root = root
        self.english = lng.messages(os.path.join(package, "qelfar_eng.lng"))
        self.russian = lng.messages(os.path.join(package, "qelfar_rus.lng"))
        self.runs = []

    def far2l(self, *settings, files=()):
        """A far2l run, not started yet, whose work folder holds FILES (relative names)."""
        run = Far2l(self.root, settings)
        self.runs.append(run)
        for name in files:
            run.write(name, f"sample file {name}\n")
        return run

    def close(self):
        for run in self.runs:
            run.close()
