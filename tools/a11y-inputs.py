"""Prints the inputs of one running program's windows as AT-SPI shows them; exits 1 when a
shown input that needs a name has neither a name nor a label. Hidden parts (a combo box's
closed drop-down list, a toolbar's unused overflow button) are listed but not counted: nobody
can reach them while they are hidden. Used by tools/check-a11y, which starts the program and
the buses. Argument: the program's process id."""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The interface getters are deprecated in newer AT-SPI but are the ones this version offers.
warnings.filterwarnings("ignore", category=DeprecationWarning)

R = Atspi.Role
# Every kind of input a user operates, and whether it must carry a name of its own.
INPUTS = {
    R.SLIDER: True,
    R.SCROLL_BAR: False,
    R.SPIN_BUTTON: True,
    R.RADIO_BUTTON: True,
    R.CHECK_BOX: True,
    R.COMBO_BOX: True,
    R.LIST: True,
    R.LIST_BOX: True,
    R.PUSH_BUTTON: True,
    R.TOGGLE_BUTTON: True,
    R.ENTRY: False,  # the text field inside an editable combo box is named by the box
    R.TEXT: False,
    R.LINK: True,
}


def find_app(pid, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == pid and app.get_child_count() > 0:
                    return app
            except gi.repository.GLib.Error:
                pass
        time.sleep(0.2)
    return None


def value_of(acc, role):
    states = acc.get_state_set()
    if role in (R.CHECK_BOX, R.RADIO_BUTTON, R.TOGGLE_BUTTON):
        if states.contains(Atspi.StateType.INDETERMINATE):
            return "greyed"
        return "checked" if states.contains(Atspi.StateType.CHECKED) else "unchecked"
    value = acc.get_value_iface()
    if value is not None:
        return "%g (%g..%g)" % (value.get_current_value(), value.get_minimum_value(),
                                value.get_maximum_value())
    text = acc.get_text_iface()
    if text is not None:
        return repr(text.get_text(0, text.get_character_count()))
    if role in (R.COMBO_BOX, R.LIST, R.LIST_BOX):
        return "%d entries" % acc.get_child_count()
    return ""


def combo_text(acc):
    """The text a combo box shows: its edit field's, or (not editable) the current entry,
    which Qt gives as the box's name."""
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is not None and child.get_role() in (R.TEXT, R.ENTRY):
            text = child.get_text_iface()
            if text is not None:
                return text.get_text(0, text.get_character_count())
    return acc.get_name() or ""


def labels_of(acc):
    """The names of the labels that label this object (a QLabel with this object as buddy)."""
    names = []
    relations = acc.get_relation_set() or []
    for relation in relations:
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for k in range(relation.get_n_targets()):
                target = relation.get_target(k)
                if target is not None and target.get_name():
                    names.append(target.get_name())
    return names


def spoken_name(acc, role, value):
    """What a screen reader says for the object: its own name, or its label. Qt names a combo
    box after its current text on Linux; then only a label tells what the box is for."""
    own = (acc.get_name() or "").strip()
    if role == R.COMBO_BOX and own == value.strip("'"):
        own = ""
    labels = labels_of(acc)
    if own and labels and own not in labels:
        return own + " (label: " + "; ".join(labels) + ")"
    return own or ("label: " + "; ".join(labels) if labels else "")


def walk(acc, path, rows, depth=0):
    if acc is None or depth > 40:
        return
    role = acc.get_role()
    if role in INPUTS:
        states = acc.get_state_set()
        flags = []
        if not states.contains(Atspi.StateType.ENABLED):
            flags.append("disabled")
        showing = states.contains(Atspi.StateType.SHOWING)
        if not showing:
            flags.append("hidden")
        value = value_of(acc, role)
        if role == R.COMBO_BOX:
            value = repr(combo_text(acc))
        rows.append((acc.get_role_name(), spoken_name(acc, role, value), value,
                     " ".join(flags), INPUTS[role] and showing, path))
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        walk(child, path + "/" + (child.get_role_name() if child else "?"), rows, depth + 1)


def main():
    pid = int(sys.argv[1])
    app = find_app(pid)
    if app is None:
        print("check-a11y: the program did not appear on the accessibility bus", file=sys.stderr)
        return 2
    time.sleep(1.0)  # let the window finish its load routine
    missing = 0
    for w in range(app.get_child_count()):
        window = app.get_child_at_index(w)
        print("window: %s %r" % (window.get_role_name(), window.get_name()))
        rows = []
        walk(window, window.get_role_name(), rows)
        widths = [max([len(r[i]) for r in rows] + [4]) for i in range(2)]
        for role, name, value, flags, needs_name, path in rows:
            mark = ""
            if needs_name and not name.strip():
                mark = "  <-- NO NAME"
                missing += 1
            shown = name if name else "(none)"
            print("  %-*s  %-*s  %s%s%s" % (widths[0], role, widths[1], shown, value,
                                         ("  [" + flags + "]") if flags else "", mark))
        print("  %d inputs" % len(rows))
    if missing:
        print("check-a11y: %d inputs without an accessible name" % missing, file=sys.stderr)
        return 1
    print("check-a11y: every input has a name")
    return 0


if __name__ == "__main__":
    sys.exit(main())
