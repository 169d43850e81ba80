#!/usr/bin/env python3
"""Uses the panel of brisma-host the way a screen reader does, over AT-SPI.

    atspi_panel.py HOST

Starts HOST, finds the formula by its role and name, types 1/2+3 into it
with the keyboard while a keystroke listener is registered, as a screen
reader's is, reads its text back, presses "=" through its action, reads the
answer the answer line announces, presses the fraction key found by its name
and quits through the File menu; a sanitizer's report or an exit code other
than 0 of the host fails the check. Every wait ends at an event or fails after
a generous time; any failure ends the check with exit code 1.
"""

import os
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import GLib

PATIENCE_MS = 60000

# What the formula reads once 1/2+3 is typed, and the answer of each
# reading: "/" types a slash, or builds a fraction whose denominator ends
# where typing leaves it.
# Typing stays in the denominator, so 1/2+3 is 1/(2+3) with the caret after
# the 3, inside the denominator's brackets.
READING = "1 over open bracket 2 plus 3 close bracket"
CARET = READING.index(" close bracket")
ANSWER = "equals 0.2"


def fail(message):
    print("atspi_panel: " + message, file=sys.stderr)
    sys.exit(1)


class Reader:
    def __init__(self):
        self.registry = pyatspi.Registry
        self.loop = GLib.MainLoop()
        self.keys_heard = 0
        self.keys_down = set()
        self.to_type = []
        self.condition = None
        self.registry.registerEventListener(
            self.event,
            "object:children-changed",
            "object:state-changed:focused",
            "object:text-changed",
            "object:text-caret-moved",
            "object:property-change:accessible-description",
            "object:property-change:accessible-name",
            "window:create",
            "window:activate",
            "focus:",
        )
        # A screen reader listens to every key; the toolkit then routes the
        # keys through the accessibility bus before the widgets get them.
        self.registry.registerKeystrokeListener(
            self.keystroke,
            mask=pyatspi.allModifiers(),
            kind=(pyatspi.KEY_PRESSED_EVENT, pyatspi.KEY_RELEASED_EVENT),
            synchronous=True,
            preemptive=True,
        )

    def keystroke(self, event):
        self.keys_heard += 1
        if event.type == pyatspi.KEY_PRESSED_EVENT:
            self.keys_down.add(event.hw_code)
        else:
            self.keys_down.discard(event.hw_code)
            if not self.keys_down and self.to_type:
                GLib.idle_add(self.type_next)
        return False

    def type_text(self, text):
        """Types the text one character at a time: the next once every key
        of the one before is released, so that this listener has answered
        the toolkit for each of them."""
        self.to_type = list(text)
        GLib.idle_add(self.type_next)

    def type_next(self):
        pyatspi.Registry.generateKeyboardEvent(0, self.to_type.pop(0), pyatspi.KEY_STRING)
        return False

    def event(self, event):
        self.check()

    def check(self):
        if self.condition and self.condition():
            self.loop.quit()

    def wait(self, what, condition):
        """Runs until the condition holds, checked at each event."""
        self.condition = lambda: guarded(condition)
        if not self.condition():
            timer = GLib.timeout_add(PATIENCE_MS, self.give_up)
            self.loop.run()
            if guarded(condition):
                GLib.source_remove(timer)
        self.condition = None
        if not guarded(condition):
            fail("waited in vain for " + what)

    def give_up(self):
        self.loop.quit()
        return False


def guarded(condition):
    try:
        return bool(condition())
    except Exception:  # an object that went away while it was read
        return False


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def find(root, role, name, showing=True):
    def matches(obj):
        return (obj.getRole() == role and obj.name == name
                and (not showing or obj.getState().contains(pyatspi.STATE_SHOWING)))
    return pyatspi.findDescendant(root, matches)


def find_formula(app):
    for role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        formula = find(app, role, "Formula")
        if formula is not None:
            return formula
    return None


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def press(obj):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    fail("%s has no press action" % obj.name)


def main():
    host = sys.argv[1]
    settings = os.path.join(tempfile.mkdtemp(), "brisma.ini")
    try:
        pyatspi.Registry.getDesktop(0).childCount
        reader = Reader()
    except Exception as error:
        fail("the accessibility bus cannot be reached: %s" % error)
    process = subprocess.Popen([host, "--settings", settings], stderr=subprocess.PIPE)
    try:
        reader.wait("the host's formula on the bus",
                    lambda: application("brisma-host") and find_formula(application("brisma-host")))
        app = application("brisma-host")
        formula = find_formula(app)
        print("found the formula: role %s, name %r, description %r"
              % (formula.getRoleName(), formula.name, formula.description))

        formula.queryComponent().grabFocus()
        reader.wait("the formula's focus",
                    lambda: formula.getState().contains(pyatspi.STATE_FOCUSED))
        reader.type_text("1/2+3")
        reader.wait("the typed formula",
                    lambda: not reader.to_type and text_of(formula) == READING)
        spoken = text_of(formula)
        print("formula text after typing 1/2+3: %r" % spoken)
        if spoken != READING:
            fail("the formula reads %r" % spoken)
        if reader.keys_heard == 0:
            fail("the keystroke listener heard no key")
        caret = formula.queryText().caretOffset
        if caret != CARET:
            fail("the caret stands at %d of %r" % (caret, spoken))

        answer = find(app, pyatspi.ROLE_TEXT, "Answer") or find(app, pyatspi.ROLE_ENTRY, "Answer")
        if answer is None:
            fail("no answer line named Answer")
        press(find(app, pyatspi.ROLE_PUSH_BUTTON, "Equals"))
        reader.wait("the announced answer", lambda: answer.description.startswith("equals"))
        print("answer line announced: %r" % answer.description)
        if answer.description != ANSWER:
            fail("the answer line announced %r" % answer.description)
        # The formula, which has the focus, passes the answer on.
        if formula.description != answer.description:
            fail("the formula describes itself as %r" % formula.description)

        fraction = find(app, pyatspi.ROLE_PUSH_BUTTON, "Fraction")
        if fraction is None:
            fail("no screen key named Fraction")
        press(fraction)
        reader.wait("the fraction in the formula",
                    lambda: "empty over empty" in text_of(formula))
        # The empty fraction stands at the cursor, which goes into one of its
        # fields.
        reader.wait("the fraction field's name",
                    lambda: formula.description in ("numerator", "denominator"))
        print("after the fraction key: %r, in the %s" % (text_of(formula), formula.description))

        if find(app, pyatspi.ROLE_MENU_ITEM, "Edit", showing=False) is None:
            fail("no Edit menu")
        quit_item = find(app, pyatspi.ROLE_MENU_ITEM, "Quit", showing=False)
        if quit_item is None:
            fail("no Quit menu item")
        quit_item.queryAction().doAction(0)
        try:
            process.wait(timeout=PATIENCE_MS / 1000)
        except subprocess.TimeoutExpired:
            fail("the host did not end after Quit")
    finally:
        if process.poll() is None:
            process.kill()
        errors = process.communicate()[1].decode(errors="replace")
        sys.stderr.write(errors)
    if process.returncode != 0:
        fail("the host ended with %d" % process.returncode)
    if "Sanitizer" in errors:
        fail("the host's run had a sanitizer report")
    print("atspi_panel: passed")


if __name__ == "__main__":
    main()
