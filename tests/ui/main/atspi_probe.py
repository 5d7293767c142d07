"""What a screen reader sees of a running Telmora, through the AT-SPI registry.

Checks that the nine tool buttons of the main window have names, that the
Toggle action of the link button links (the digital meter's display then speaks
a reading) and toggles back. Prints what it finds; exits 0 when all holds.
"""
import re
import sys
import time

import pyatspi


def wait_for(what, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def telmora():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "telmora":
            return app
    return None


def descendants(node, depth=0):
    if node is None or depth > 25:
        return
    yield node
    for i in range(node.childCount):
        yield from descendants(node.getChildAtIndex(i), depth + 1)


def buttons(node):
    roles = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX)
    return [n for n in descendants(node) if n.getRole() in roles]


def main():
    app = wait_for(telmora)
    if app is None:
        print("FAIL: Telmora is not on the accessibility bus")
        return 1
    main_window = wait_for(lambda: next(
        (w for w in app if w is not None and "DM-Series" in w.name), None))
    if main_window is None:
        print("FAIL: no main window among", [w.name for w in app if w is not None])
        return 1
    tool_row = wait_for(lambda: next(
        (n for n in descendants(main_window)
         if n.getRole() == pyatspi.ROLE_TOOL_BAR and "DM-Series" in n.name), None))
    if tool_row is None:
        print("FAIL: no tool row in the main window")
        return 1
    tools = [b for b in buttons(tool_row) if b.getState().contains(pyatspi.STATE_SHOWING)]
    names = [b.name for b in tools]
    print("tool row buttons:", names)
    if len(tools) != 9 or any(not n.strip() for n in names):
        print("FAIL: a tool button without a name")
        return 1
    unnamed = [n for n in descendants(app)
               if n.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON,
                                  pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON)
               and n.getState().contains(pyatspi.STATE_SHOWING) and not n.name.strip()]
    if unnamed:
        print("FAIL: shown buttons without a name:", [n.parent.name for n in unnamed])
        return 1
    focusable = [b.name for b in tools if b.getState().contains(pyatspi.STATE_FOCUSABLE)]
    if len(focusable) < 9:
        print("FAIL: tool buttons that cannot take the focus:", set(names) - set(focusable))
        return 1

    link = next((b for b in tools if b.name.lower().startswith("link")), None)
    if link is None:
        print("FAIL: no link button")
        return 1
    action = link.queryAction()
    toggle = next((i for i in range(action.nActions) if action.getName(i) == "Toggle"), None)
    if toggle is None:
        print("FAIL: the link button has no Toggle action")
        return 1
    action.doAction(toggle)

    # The digital meter's display, wherever it is shown: its description is the
    # meter's caption, its name the reading.
    def spoken_reading():
        for node in descendants(app):
            if (node.description or "").startswith("Digital Meter") and \
                    re.match(r"^-?[0-9][0-9.]* ", node.name or ""):
                return node.name
        return None

    reading = wait_for(spoken_reading)
    if reading is None:
        print("FAIL: no reading spoken after Toggle on", link.name)
        return 1
    print("digital meter:", reading)
    if not link.getState().contains(pyatspi.STATE_CHECKED):
        print("FAIL: linked, but the link button is not shown checked")
        return 1
    action.doAction(toggle)
    if not wait_for(lambda: not link.getState().contains(pyatspi.STATE_CHECKED)):
        print("FAIL: a second Toggle did not unlink")
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
