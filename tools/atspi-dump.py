#!/usr/bin/python3
"""Shows the game as a screen reader sees it on the AT-SPI bus.

Start the game with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the same session
bus, then run
    tools/atspi-dump.py              the accessible tree, one node a line
    tools/atspi-dump.py --watch 30   for 30 s, what a screen reader is told
                                     to say: the focus moving to a control
                                     and the notifications shown
"""
import sys

import pyatspi
from gi.repository import GLib

APPLICATION = "mcm-mcd"
SHOWN_STATES = (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_FOCUSED, pyatspi.STATE_SHOWING)


def describe(node):
    states = node.getState()
    flags = [pyatspi.stateToString(state) for state in SHOWN_STATES if states.contains(state)]
    if not states.contains(pyatspi.STATE_ENABLED):
        flags.append("disabled")
    text = f'{node.getRoleName()} "{node.name}"'
    if node.description:
        text += f' ({node.description})'
    return f'{text} [{", ".join(flags)}]'


def dump(node, depth=0):
    print("  " * depth + describe(node))
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def find_application():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == APPLICATION:
            return application
    sys.exit(f"{APPLICATION} is not on the accessibility bus")


def watch(seconds):
    def told(event):
        if event.host_application.name != APPLICATION or not event.detail1:
            return
        if event.type.startswith("object:state-changed:showing") and event.source.getRole() != pyatspi.ROLE_NOTIFICATION:
            return
        print(describe(event.source), flush=True)

    pyatspi.Registry.registerEventListener(told, "object:state-changed:focused", "object:state-changed:showing")
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    pyatspi.Registry.start()


if __name__ == "__main__":
    if sys.argv[1:2] == ["--watch"]:
        find_application()
        watch(int(sys.argv[2]) if len(sys.argv) > 2 else 30)
    else:
        dump(find_application())
