"""Drives far2l, the Linux port of FAR Manager 2, with qelfar installed."""
