#!/usr/bin/python3
"""Reads the main form's fields as a screen reader does, through AT-SPI: prints one line per
editable field, "name|text", in the order the accessibility tree gives them. Waits (polling the
bus) until the program has registered its window."""
import sys
import time

import pyatspi


def find_app(name, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def fields(node):
    if node is None:
        return
    if node.getRole() == pyatspi.ROLE_TEXT and node.getState().contains(pyatspi.STATE_EDITABLE):
        yield node
    for child in node:
        yield from fields(child)


def main():
    app = find_app(sys.argv[1], 20)
    if app is None:
        print("no application %r on the accessibility bus" % sys.argv[1], file=sys.stderr)
        return 1
    for field in fields(app):
        text = field.queryText()
        print("%s|%s" % (field.name, text.getText(0, text.characterCount)))
    return 0


sys.exit(main())
