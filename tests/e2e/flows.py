"""The end-to-end flows as one table: each row is a name, what it shows, and its steps, a person's
actions (keys, clicks, typed text) and what that person then sees (window titles, the text of
labels and fields, message boxes and their buttons). Steps come from the small vocabulary below;
a new flow is a new row.

A step wrapped in waits() is known to fail until the named item of the issue that asks for it is
done: the flow then ends there as "waiting" (CTest shows it as skipped), any failure before that
step is a real failure, and a wrapped step that passes fails the flow so the mark is dropped."""
import os
import shutil
import sqlite3
import time

from desktop import (FlowFailure, State, active_x_window, centre, click_at, descendants, extents,
                     name_of, press, text_of, type_text, wait_for, xdotool)

MAIN = "Kalder Vitalon - Расчет биологического возраста"  # followed by the version
MAIN_EN = "Kalder Vitalon - Biological Age Calculation"
# A desktop whose preferred language is English.
ENGLISH = {"LANGUAGE": "en_US:en", "LANG": "en_US.UTF-8", "LC_ALL": None}
BOX = "Kalder Vitalon"  # the title of every message box
ABOUT = "О программе \"Kalder Vitalon\""
BUTTON, CHECK_BOX, RADIO, SLIDER, LABEL, TEXT, TAB, TABLE = (
    "push button", "check box", "radio button", "slider", "label", "text", "page tab", "table")
RESULTS = "Результаты"
FIXTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "fixtures")


class Step:
    def __init__(self, text, run, waits=None):
        self.text = text
        self.run = run
        self.waits = waits


class Flow:
    def __init__(self, name, shows, steps, environment=None):
        self.name = name
        self.shows = shows
        self.steps = steps
        self.environment = environment


# --- looking at the screen ---------------------------------------------------------------


def titled(title, wanted):
    return title == wanted or (wanted in (MAIN, MAIN_EN) and title.startswith(wanted + " "))


def active_window(c, title):
    """The active window if it has this title, else None."""
    found = c.program.active_window()
    return found[1] if found and titled(found[0], title) else None


def window(c, title):
    """Waits until the active window has this title and returns it."""
    return wait_for("the active window is %r" % title, lambda: active_window(c, title),
                    seen=lambda: "active: %r, shown: %r" % (
                        (c.program.active_window() or ("none",))[0], c.program.titles()))


def role_of(acc):
    return acc.get_role_name()


def lookup(c, title, name, role, enabled=True):
    """The shown object with this name and role in the active window titled title, or None."""
    win = active_window(c, title)
    for acc in descendants(win) if win is not None else []:
        if name_of(acc) == name and role_of(acc) == role and (
                not enabled or acc.get_state_set().contains(State.ENABLED)):
            return acc
    return None


def find(c, title, name, role, enabled=True):
    return wait_for("%s %r%s in the active window %r" % (
        role, name, " (enabled)" if enabled else "", title),
        lambda: lookup(c, title, name, role, enabled),
        seen=lambda: "active: %r" % ((c.program.active_window() or ("none",))[0],))


def focused(c, title):
    """The focused object in the window. Qt keeps the current page tab marked focused after the
    focus has left the tab bar, so any other focused object comes first."""
    win = active_window(c, title)
    found = [acc for acc in (descendants(win) if win is not None else [])
             if acc.get_state_set().contains(State.FOCUSED)]
    others = [acc for acc in found if role_of(acc) != TAB]
    return (others or found or [None])[0]


def summary(role, name):
    return "%s %r" % (role, name)


def describe(acc):
    return summary(role_of(acc), name_of(acc)) if acc is not None else "nothing"


def beside(c, title, anchor_name):
    """The label a person reads to the right of the anchor (a caption or a slider), in its row."""
    win = active_window(c, title)
    if win is None:
        return None
    anchors = [a for a in descendants(win) if name_of(a) == anchor_name
               and role_of(a) in (LABEL, SLIDER)]
    if not anchors:
        return None
    box = extents(anchors[0])
    best = None
    for acc in descendants(win):
        if role_of(acc) != LABEL:
            continue
        other = extents(acc)
        middle = other.y + other.height / 2
        if box.y <= middle <= box.y + box.height and other.x >= box.x + box.width:
            if best is None or other.x < best[0]:
                best = (other.x, acc)
    return best[1] if best else None


def beside_text(c, title, anchor_name):
    label = beside(c, title, anchor_name)
    return name_of(label) if label is not None else None


# --- steps -------------------------------------------------------------------------------


def start(title=MAIN):
    def run(c):
        c.program.start()
        window(c, title)
    return Step("start the program", run)


def quit_program():
    def run(c):
        window(c, MAIN)
        c.program.quit()
    return Step("close the main window (Alt+F4); the program ends", run)


def active(title):
    return Step("the window %r is active" % title, lambda c: window(c, title))


def click(name, role=BUTTON, title=MAIN):
    """Clicks the named object once the window titled title is active (a window that has just
    been answered may still be closing)."""
    return Step("click %s %r" % (role, name),
                lambda c: click_at(*centre(find(c, title, name, role))))


def answer(button):
    return click(button, BUTTON, BOX)


def keys(*names):
    return Step("press " + " ".join(names), lambda c: press(*names))


def reads(anchor, value, title=MAIN):
    def run(c):
        wait_for("%r reads %r" % (anchor, value),
                 lambda: beside_text(c, title, anchor) == value,
                 seen=lambda: describe(beside(c, title, anchor)))
    return Step("%r reads %r" % (anchor, value), run)


def field_reads(name, value, title):
    def run(c):
        wait_for("%r holds %r" % (name, value),
                 lambda: text_of(find(c, title, name, TEXT, enabled=False)) == value,
                 seen=lambda: repr(text_of(find(c, title, name, TEXT, enabled=False))))
    return Step("%r holds %r" % (name, value), run)


def checked(name, role):
    def run(c):
        wait_for("%s %r is checked" % (role, name),
                 lambda: find(c, MAIN, name, role).get_state_set().contains(State.CHECKED))
    return Step("%s %r is checked" % (role, name), run)


def type_name(text, shows=None):
    """Clicks the profile box and types; xdotool can drop a Cyrillic character under Xvfb, so
    the field is read back and the text typed again until it holds what it should."""
    expected = shows or text

    def run(c):
        field = find(c, MAIN, "Имя профиля", TEXT)
        click_at(*centre(field))
        for _ in range(4):
            press("ctrl+a")
            type_text(text)
            try:
                wait_for("the profile box holds %r" % expected,
                         lambda: text_of(field) == expected, deadline=5)
                return
            except FlowFailure:
                continue
        raise FlowFailure("the profile box holds %r, not %r" % (text_of(field), expected))
    return Step("type %r into the profile box" % text, run)


def pick(entry):
    """Opens the profile box's list with the mouse and clicks an entry."""
    def run(c):
        # Qt names the box after its text; its field keeps the name.
        combo = find(c, MAIN, "Имя профиля", TEXT).get_parent()
        box = extents(combo)
        click_at(box.x + box.width - 6, box.y + box.height // 2)

        def item():
            for acc in descendants(combo):
                if role_of(acc) == "list item" and name_of(acc) == entry:
                    return acc
            return None
        click_at(*centre(wait_for("the entry %r in the open list" % entry, item)))
    return Step("pick %r from the profile list" % entry, run)


def message(text, buttons):
    """A message box is active; it says text and offers these buttons, left to right."""
    def run(c):
        box = window(c, BOX)
        said = [name_of(a) for a in descendants(box) if role_of(a) == LABEL and name_of(a)]
        offered = sorted((a for a in descendants(box) if role_of(a) == BUTTON),
                         key=lambda a: extents(a).x)
        offered = [name_of(a) for a in offered]
        if said != [text] or offered != buttons:
            raise FlowFailure("the message box says %r with %r, not %r with %r"
                              % (said, offered, [text], buttons))
    return Step("a message box says %r with %s" % (text, " / ".join(buttons)), run)


def focus_on(name, role=BUTTON, title=MAIN):
    def run(c):
        wait_for("the focus is on %s %r" % (role, name),
                 lambda: describe(focused(c, title)) == summary(role, name),
                 seen=lambda: describe(focused(c, title)))
    return Step("the focus is on %s %r" % (role, name), run)


def identity(acc):
    """Tells apart objects of the same name and role (the two stopwatch buttons) by place."""
    if acc is None:
        return None
    box = extents(acc)
    return describe(acc), box.x, box.y, box.width, box.height


def tab_to(name, role, limit=80, title=MAIN):
    """Presses Tab, one press at a time, until the focus is on the named input."""
    def run(c):
        wanted = summary(role, name)
        for _ in range(limit):
            now = focused(c, title)
            if describe(now) == wanted:
                return
            before = identity(now)
            press("Tab")
            wait_for("the focus moves on from %s" % describe(now),
                     lambda: identity(focused(c, title)) != before)
        raise FlowFailure("%s not reached with %d presses of Tab" % (wanted, limit))
    return Step("Tab to %s %r%s" % (role, name, "" if title == MAIN else " in %r" % title), run)


def first_focus_is_an_input():
    def run(c):
        now = wait_for("a focused object in the main window", lambda: focused(c, MAIN))
        if role_of(now) == "link":
            raise FlowFailure("the first focus is on the link %r" % name_of(now))
    return Step("the first focus is on an input, not a link", run)


STATEMENTS = "every statement, down the left column, then down the right one"


def tab_chain(*stops):
    """From the focused first stop, Tab goes round every stop in this order and back to the
    first. STATEMENTS stands for the statement check boxes in the order the screen shows them."""
    def run(c):
        win = window(c, MAIN)
        expected = []
        for stop in stops:
            if stop == STATEMENTS:
                boxes = [a for a in descendants(win) if role_of(a) == CHECK_BOX]
                boxes.sort(key=lambda a: (extents(a).x, extents(a).y))
                expected += [describe(a) for a in boxes]
            else:
                expected.append(summary(*stop))
        seen = [describe(focused(c, MAIN))]
        for _ in expected:
            before = identity(focused(c, MAIN))
            press("Tab")
            wait_for("the focus moves on from %s" % seen[-1],
                     lambda: identity(focused(c, MAIN)) != before)
            seen.append(describe(focused(c, MAIN)))
        if seen != expected + expected[:1]:
            wrong = next(i for i, (a, b) in enumerate(zip(seen, expected + expected[:1]))
                         if a != b)
            raise FlowFailure("stop %d of the Tab chain is %s, not %s; the chain: %s"
                              % (wrong, seen[wrong], (expected + expected[:1])[wrong],
                                 ", ".join(seen)))
    return Step("Tab goes round %d stops in reading order" % len(stops), run)


def enter_then_tab_stays_in_main():
    """Enter, then Tab: the focus moves on in the main window, so Enter opened nothing."""
    def run(c):
        before = describe(focused(c, MAIN))
        press("Return", "Tab")

        def moved():
            title = (c.program.active_window() or ("",))[0]
            if not titled(title, MAIN):
                raise FlowFailure("Enter opened the window %r" % title)
            return describe(focused(c, MAIN)) != before
        wait_for("the focus moves on from %s" % before, moved)
    return Step("Enter right after start, then Tab: the focus moves on in the main window", run)


def time_stopwatch(seconds):
    """Space starts the open stopwatch, Space stops it about `seconds` later."""
    def run(c):
        window(c, "Секундомер")
        press("space")
        started = time.monotonic()
        find(c, "Секундомер", "Стоп", BUTTON)
        time.sleep(max(0.0, seconds - (time.monotonic() - started)))  # the time being measured
        press("space")
        c.measured = time.monotonic() - started
        find(c, "Секундомер", "Пуск", BUTTON)
    return Step("Space, about %g s, Space" % seconds, run)


def reads_measured(anchor, minimum, maximum):
    """The label beside the slider shows the stopwatch's seconds, clamped to the slider's range.
    The stopwatch counts from the key presses the program received, so its reading may differ
    from the time between the presses sent by up to a second on a loaded machine."""
    def run(c):
        near = round(c.measured)
        allowed = {"%d сек" % min(max(n, minimum), maximum)
                   for n in (near - 1, near, near + 1) if abs(n - c.measured) <= 1}
        wait_for("%r reads one of %s" % (anchor, sorted(allowed)),
                 lambda: beside_text(c, MAIN, anchor) in allowed,
                 seen=lambda: describe(beside(c, MAIN, anchor)))
    return Step("%r reads the measured seconds" % anchor, run)


def stopwatch_survives_escape():
    def run(c):
        window(c, "Секундомер")
        opened = active_x_window()
        press("Escape", "space")

        def running():
            # Space after a closing Escape would press whatever has the focus in the main
            # window, possibly "Секундомер" again: a new window, not this one.
            if active_x_window() != opened and c.program.active_window() is not None:
                raise FlowFailure("Escape closed the stopwatch; now active: %r"
                                  % c.program.active_window()[0])
            return lookup(c, "Секундомер", "Стоп", BUTTON)
        wait_for("the stopwatch still open and running", running)
    return Step("Escape, then Space: the stopwatch stays open and starts", run)


def opens(key, title):
    def run(c):
        press(*key.split())
        window(c, title)
    return Step("press %s: the window %r opens" % (key, title), run)


def held(key, seconds, title):
    """Holds key down in the main window (the display repeats it) and lets go: the window titled
    title opens on the press and stays the one active window throughout, so no repeat answered,
    closed or reopened it."""
    def run(c):
        window(c, MAIN)
        main = active_x_window()
        actives = []  # the active windows seen while the key is down, each change once
        xdotool("keydown", key)
        try:
            end = time.monotonic() + seconds
            while time.monotonic() < end:
                now = active_x_window()
                if now != main or actives:
                    if not actives or actives[-1] != now:
                        actives.append(now)
                time.sleep(0.05)
        finally:
            xdotool("keyup", key)
        time.sleep(0.5)
        window(c, title)
        opened = active_x_window()
        if any(seen != opened for seen in actives):
            raise FlowFailure("while the key was held the active window went %s -> %s, not only "
                              "to the new window %s" % (main, " -> ".join(actives), opened))
    return Step("hold %s for %.1f s: the window %r opens once and stays" % (key, seconds, title),
                run)


def shown(name, title, role=BUTTON, enabled=True):
    return Step("%s %r is shown in %r" % (role, name, title),
                lambda c: find(c, title, name, role, enabled))


def database_held_busy():
    """Another program takes the write lock of the user's database and keeps it."""
    def run(c):
        path = os.path.join(c.program.env["XDG_DATA_HOME"], "Kalder_Programming",
                            "kalder-vitalon", "kalder-vitalon.sqlite")
        c.busy_database = sqlite3.connect(path, isolation_level=None)
        c.busy_database.execute("BEGIN IMMEDIATE")
    return Step("another program holds the database's write lock", run)


def earlier_settings_files(c, fixture):
    """(fixture file, the file in the configuration folder) for each file of the fixture."""
    source = os.path.join(FIXTURES, fixture, "Kalder_Programming")
    target = os.path.join(c.program.env["XDG_CONFIG_HOME"], "Kalder_Programming")
    return [(os.path.join(source, name), os.path.join(target, name))
            for name in sorted(os.listdir(source))]


def earlier_settings(fixture):
    """Only the settings file an earlier version wrote, in the configuration folder."""
    def run(c):
        for source, target in earlier_settings_files(c, fixture):
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
    return Step("the settings file of an earlier version (%s), nothing else" % fixture, run)


def earlier_settings_unchanged(fixture):
    def run(c):
        for source, target in earlier_settings_files(c, fixture):
            with open(source, "rb") as a, open(target, "rb") as b:
                if a.read() != b.read():
                    raise FlowFailure("%s was changed" % target)
    return Step("the earlier settings file is as it was", run)


def update_from(fixture):
    """The first start after the update: the earlier file's profile loads, and a save leaves
    that file as it was."""
    return [
        earlier_settings(fixture),
        start(),
        type_name("утро", shows="Утро"),
        reads(AGE, "33 года"),
        reads(MASS, "65 кг"),
        checked("Мужской", RADIO),
        type_name("Новый"),
        click(SAVE),
        saved("Новый"),
        answer("OK"),
        earlier_settings_unchanged(fixture),
        quit_program(),
        start(),
        type_name("новый", shows="Новый"),  # listed, so typing picks it
        type_name("утро", shows="Утро"),
        reads(AGE, "33 года"),
    ]


def table_column(c, title, table_name, column):
    """The cells of one column of a table as a screen reader reads them, top to bottom."""
    table = lookup(c, title, table_name, TABLE, enabled=False)
    if table is None:
        return None
    cells = table.get_table_iface()
    return [name_of(cells.get_accessible_at(row, column)) for row in range(cells.get_n_rows())]


def column_reads(table_name, column, values, title):
    def run(c):
        wait_for("column %d of %r reads %r" % (column, table_name, values),
                 lambda: table_column(c, title, table_name, column) == values,
                 seen=lambda: repr(table_column(c, title, table_name, column)))
    return Step("column %d of the table %r reads %r" % (column, table_name, values), run)


def report_saved(pattern, texts):
    """A PDF whose name matches the pattern lies in the program's home folder, and pdftotext
    finds the texts in it."""
    def run(c):
        import glob
        import subprocess
        folder = c.program.env["HOME"]
        found = wait_for("a report %r in %s" % (pattern, folder),
                         lambda: glob.glob(os.path.join(folder, pattern)),
                         seen=lambda: os.listdir(folder))
        text = " ".join(subprocess.run(["pdftotext", "-enc", "UTF-8", found[0], "-"],
                                       capture_output=True, text=True, timeout=60,
                                       check=True).stdout.split())
        missing = [t for t in texts if t not in text]
        if missing:
            raise FlowFailure("the report lacks %r; it reads: %s" % (missing, text[:400]))
    return Step("a report %r in the home folder holds %r" % (pattern, texts), run)


def message_begins(text, buttons):
    """A message box is active; what it says begins with text, and it offers these buttons."""
    def run(c):
        box = window(c, BOX)
        said = [name_of(a) for a in descendants(box) if role_of(a) == LABEL and name_of(a)]
        offered = sorted((a for a in descendants(box) if role_of(a) == BUTTON),
                         key=lambda a: extents(a).x)
        offered = [name_of(a) for a in offered]
        if len(said) != 1 or not said[0].startswith(text) or offered != buttons:
            raise FlowFailure("the message box says %r with %r, not %r… with %r"
                              % (said, offered, text, buttons))
    return Step("a message box begins %r with %s" % (text, " / ".join(buttons)), run)


def empty_home():
    """Every profile and the whole history gone, as on a new computer; the home folder (where
    copies are saved) stays."""
    def run(c):
        import shutil
        for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME"):
            folder = c.program.env[key]
            shutil.rmtree(folder)
            os.makedirs(folder)
    return Step("empty the settings and data folders", run)


def type_file_name(name):
    """Types a file name into the file dialog's name field, which has the focus."""
    def run(c):
        press("ctrl+a")
        type_text(name)
    return Step("type the file name %r" % name, run)


def csv_saved(pattern, rows):
    """A CSV file whose name matches the pattern lies in the program's home folder, and Python's
    csv module reads a header and then the given rows from it, each given as {column: value}."""
    def run(c):
        import csv
        import glob
        folder = c.program.env["HOME"]
        found = wait_for("a CSV file %r in %s" % (pattern, folder),
                         lambda: glob.glob(os.path.join(folder, pattern)),
                         seen=lambda: os.listdir(folder))
        with open(found[0], encoding="utf-8-sig", newline="") as f:
            read = list(csv.DictReader(f, delimiter=";", strict=True))
        if len(read) != len(rows):
            raise FlowFailure("the CSV file holds %d rows, not %d: %r" % (len(read), len(rows), read))
        for got, wanted in zip(read, rows):
            wrong = {k: got.get(k) for k, v in wanted.items() if got.get(k) != v}
            if wrong:
                raise FlowFailure("the CSV row differs in %r; wanted %r" % (wrong, wanted))
    return Step("a CSV file %r in the home folder reads %r" % (pattern, rows), run)


def waits(item, step):
    step.waits = item
    step.text += "  [waits for issue 10 item %s]" % item
    return step


SAVE = "Сохранить профиль"
AGE, MASS = "Возраст", "Масса тела"
BREATH, BALANCE = "Задержка дыхания после полного вдоха", "Время на одной ноге с закрытыми глазами"
STOPWATCH_BREATH = "Замерить секундомером задержку дыхания"
STOPWATCH_BALANCE = "Замерить секундомером время на одной ноге"


def saved(name):
    return message("Профиль '%s' сохранен." % name, ["OK"])


DATA = "Копия данных"
BACKUP_NAME = "kalder-vitalon-%s.kvbackup" % time.strftime("%Y-%m-%d")


def overwrite(name):
    return message("Профиль '%s' уже существует. Перезаписать его?" % name, ["Да", "Нет"])


FLOWS = [
    Flow("defaults", "calculate with the defaults: the results window and its verdict", [
        start(),
        click("Рассчитать"),
        active("Результаты"),
        reads("Ваш календарный возраст:", "20 лет", "Результаты"),
        reads("Ваш полный биологический возраст:", "31 год", "Результаты"),
        reads("Ваш биологический возраст:", "51 год", "Результаты"),
        field_reads("Вывод", "Ускоренное старение.\nФизически Вы чувствуете себя гораздо старше, "
                    "чем есть на самом деле. Уделите внимание своему здоровью, ему еще рано "
                    "подводить Вас столь заметно.", "Результаты"),
        click("Закрыть", title="Результаты"),
        active(MAIN),
    ]),
    Flow("defaults-english", "an English desktop: the same calculation, read in English", [
        start(MAIN_EN),
        click("Calculate", title=MAIN_EN),
        active("Results"),
        reads("Your calendar age:", "20 years", "Results"),
        reads("Your proper biological age:", "31 years", "Results"),
        reads("Your biological age:", "51 years", "Results"),
        field_reads("Conclusion", "Accelerated aging.\nPhysically you feel much older than you "
                    "really are. Pay attention to your health: it is too early for it to let you "
                    "down so noticeably.", "Results"),
        click("Close", title="Results"),
        active(MAIN_EN),
    ], environment=ENGLISH),
    Flow("profile-restart", "save a profile, start again, load it by typing its name", [
        start(),
        click("Женский", RADIO),
        tab_to(AGE, SLIDER),
        keys("Right", "Right", "Right", "Right", "Right"),
        reads(AGE, "25 лет"),
        tab_to(MASS, SLIDER),
        keys("Left", "Left", "Left"),
        reads(MASS, "62 кг"),
        click("У меня отекают ноги", CHECK_BOX),
        type_name("Анна Петрова"),
        click(SAVE),
        saved("Анна Петрова"),
        answer("OK"),
        quit_program(),
        start(),
        reads(AGE, "20 лет"),
        type_name("анна петрова", shows="Анна Петрова"),
        reads(AGE, "25 лет"),
        reads(MASS, "62 кг"),
        checked("Женский", RADIO),
        checked("У меня отекают ноги", CHECK_BOX),
    ]),
    Flow("overwrite-question", "the overwrite question in Russian: No keeps, Yes writes", [
        start(),
        type_name("Утро"),
        click(SAVE),
        saved("Утро"),
        answer("OK"),
        pick("Утро"),
        click("Я бываю на пляже", CHECK_BOX),
        click(SAVE),
        overwrite("Утро"),
        answer("Нет"),
        click(SAVE),
        overwrite("Утро"),  # not the "saved" box: No went no further
        answer("Да"),
        saved("Утро"),
        answer("OK"),
        quit_program(),
        start(),
        type_name("утро", shows="Утро"),
        checked("Я бываю на пляже", CHECK_BOX),
    ]),
    Flow("stopwatch", "the stopwatch hands its seconds back to either test", [
        start(),
        tab_to(BALANCE, SLIDER),
        keys(*["Right"] * 7),
        reads(BALANCE, "10 сек"),
        click(STOPWATCH_BREATH),
        active("Секундомер"),
        time_stopwatch(2),
        click("Ok", title="Секундомер"),
        active(MAIN),
        reads(BREATH, "5 сек"),  # two seconds, raised to the slider's minimum
        click(STOPWATCH_BALANCE),
        active("Секундомер"),
        time_stopwatch(2),
        click("Ok", title="Секундомер"),
        active(MAIN),
        reads_measured(BALANCE, 1, 60),
    ]),
    Flow("keyboard", "keyboard only: Tab, slider keys, calculate, close, the focus comes back", [
        start(),
        tab_to(AGE, SLIDER),
        keys("End"),
        reads(AGE, "90 лет"),
        keys("Home"),
        reads(AGE, "5 лет"),
        keys("Page_Up"),
        reads(AGE, "13 лет"),  # a tenth of 5..90
        keys("Right", "Right", "Right"),
        reads(AGE, "16 лет"),
        tab_to("Рассчитать", BUTTON),
        keys("space"),
        active("Результаты"),
        reads("Ваш календарный возраст:", "16 лет", "Результаты"),
        keys("Escape"),
        active(MAIN),
        focus_on("Рассчитать"),
        opens("Return", "Результаты"),
        keys("Escape"),
        active(MAIN),
        focus_on("Рассчитать"),
        opens("KP_Enter", "Результаты"),
        keys("Escape"),
        active(MAIN),
    ]),
    Flow("enter-buttons", "Enter presses the focused button of each kind; Ok by Enter hands back", [
        start(),
        tab_to("Секундомер", BUTTON),
        opens("Return", "Секундомер"),
        shown("Пуск", "Секундомер"),
        keys("alt+F4"),
        active(MAIN),
        focus_on("Секундомер"),
        tab_to(STOPWATCH_BALANCE, BUTTON),
        opens("KP_Enter", "Секундомер"),
        time_stopwatch(2),
        keys("Tab"),
        focus_on("Ok", BUTTON, "Секундомер"),
        keys("Return"),
        active(MAIN),
        reads_measured(BALANCE, 1, 60),
        type_name("Вечер"),
        tab_to(SAVE, BUTTON),
        keys("Return"),
        saved("Вечер"),
        keys("Return"),  # the box's own OK
        active(MAIN),
    ]),
    Flow("first-focus", "Enter right after start opens nothing; the Tab chain; About by Enter", [
        start(),
        first_focus_is_an_input(),
        focus_on("Мужской", RADIO),
        enter_then_tab_stays_in_main(),
        focus_on(AGE, SLIDER),
        keys("shift+Tab"),
        focus_on("Мужской", RADIO),
        tab_chain((RADIO, "Мужской"), (SLIDER, AGE),
                  (SLIDER, "Артериальное давление, верхнее"),
                  (SLIDER, "Артериальное давление, нижнее"), (SLIDER, BREATH),
                  (BUTTON, STOPWATCH_BREATH), (SLIDER, BALANCE), (BUTTON, STOPWATCH_BALANCE),
                  STATEMENTS, ("combo box", "удовлетворительное"), (BUTTON, "Секундомер"),
                  ("combo box", "Профиль"), (BUTTON, DATA), (BUTTON, "Рассчитать"),
                  ("link", "О программе")),
        tab_to("О программе", "link"),  # the link is still reached by Tab, last
        opens("Return", ABOUT),
        focus_on("Ok", BUTTON, ABOUT),  # not a link: Enter opens no address
        opens("Return", MAIN),
    ]),
    Flow("held-enter", "a held Enter acts once: on the link and on a button that asks", [
        start(),
        tab_to("О программе", "link"),
        held("Return", 1.5, ABOUT),
        focus_on("Ok", BUTTON, ABOUT),
        opens("Return", MAIN),
        type_name("Вечер"),
        tab_to(SAVE, BUTTON),
        held("Return", 1.5, BOX),
        saved("Вечер"),
        keys("Return"),
        active(MAIN),
    ]),
    Flow("stopwatch-keys", "the stopwatch: only Space acts, the close box closes it", [
        start(),
        click("Секундомер"),
        active("Секундомер"),
        keys("alt+F4"),
        active(MAIN),
        click("Секундомер"),
        active("Секундомер"),
        stopwatch_survives_escape(),
        keys("Return", "Escape"),
        shown("Стоп", "Секундомер"),  # still open and running
        keys("space"),
        shown("Пуск", "Секундомер"),
        keys("alt+F4"),
        active(MAIN),
    ]),
    Flow("save-twice", "saving a new profile twice asks no question the second time", [
        start(),
        type_name("Вечер"),
        click(SAVE),
        saved("Вечер"),
        answer("OK"),
        click(SAVE),
        saved("Вечер"),
        answer("OK"),
        field_reads("Имя профиля", "Вечер", MAIN),
        keys("Return"),  # Enter in the box chooses no entry either
        click(SAVE),
        saved("Вечер"),
        answer("OK"),
        active(MAIN),
    ]),
    Flow("typing-past-a-name", "typing past a saved name gives the inputs back, stopping loads", [
        start(),
        tab_to(AGE, SLIDER),
        keys(*["Right"] * 30),
        reads(AGE, "50 лет"),
        type_name("Иван"),
        click(SAVE),
        saved("Иван"),
        answer("OK"),
        tab_to(AGE, SLIDER),
        keys(*["Right"] * 20),
        reads(AGE, "70 лет"),
        type_name("Иван"),
        reads(AGE, "50 лет"),  # the name loads its profile
        keys("space", "2"),
        field_reads("Имя профиля", "Иван 2", MAIN),
        reads(AGE, "70 лет"),  # and typing on gives the user's own age back
        keys("BackSpace", "BackSpace"),
        reads(AGE, "50 лет"),  # back at the name: loaded again
        keys("a"),
        reads(AGE, "70 лет"),
        type_name("иван", shows="Иван"),
        reads(AGE, "50 лет"),  # stopping at the name keeps it loaded
        tab_to(AGE, SLIDER),
        keys("Left"),
        reads(AGE, "49 лет"),
        type_name("Иванов"),
        reads(AGE, "49 лет"),  # an input changed after the load: nothing is put back
    ]),
    Flow("history-restart", "two results recorded for a profile are in its history after a "
         "restart", [
        start(),
        type_name("Мария"),
        click("Рассчитать"),
        active(RESULTS),
        click("Записать в историю", title=RESULTS),
        shown("Записано", RESULTS, enabled=False),
        click("Закрыть", title=RESULTS),
        active(MAIN),
        tab_to(AGE, SLIDER),
        keys("Right", "Right", "Right", "Right", "Right"),
        reads(AGE, "25 лет"),
        tab_to("Рассчитать", BUTTON),
        keys("space"),
        active(RESULTS),
        tab_to("Записать в историю", BUTTON, title=RESULTS),
        keys("space"),
        shown("Записано", RESULTS, enabled=False),
        keys("Escape"),
        active(MAIN),
        quit_program(),
        start(),
        type_name("Мария"),
        click("Рассчитать"),
        active(RESULTS),
        click("История", TAB, RESULTS),
        # Newest first; the cells as a screen reader reads them.
        column_reads("Записи истории", 3, ["25 лет", "20 лет"], RESULTS),
        column_reads("Записи истории", 1, ["51,41 года", "51,41 года"], RESULTS),
        column_reads("Записи истории", 4, ["Ускоренное старение."] * 2, RESULTS),
        click("Закрыть", title=RESULTS),
        active(MAIN),
    ]),
    Flow("report-save", "the report saved through the save dialog by keyboard", [
        start(),
        type_name("Иван"),
        click("Рассчитать"),
        active(RESULTS),
        tab_to("Сохранить отчёт…", BUTTON, title=RESULTS),
        opens("Return", "Сохранить отчёт"),
        opens("Return", RESULTS),  # the proposed name in the proposed folder
        report_saved("Иван — *.pdf", ["Профиль: Иван", "51 год", "31 год",
                                      "Ускоренное старение."]),
        keys("Escape"),
        active(MAIN),
    ]),
    Flow("csv-export", "the history exported from its tab and read back by a CSV reader", [
        start(),
        type_name('Иван; "Гроза"'),
        click("Рассчитать"),
        active(RESULTS),
        click("Записать в историю", title=RESULTS),
        shown("Записано", RESULTS, enabled=False),
        click("История", TAB, RESULTS),
        click("Экспорт в CSV…", title=RESULTS),
        active("Экспорт истории в CSV"),
        opens("Return", RESULTS),  # the proposed name in the proposed folder
        csv_saved('Иван; _Гроза_ — *.csv', [{
            "Профиль": 'Иван; "Гроза"',
            "Пол": "мужской",
            "Календарный возраст, лет": "20",
            "Систолическое давление, мм рт. ст.": "110",
            "Диастолическое давление, мм рт. ст.": "80",
            "Состояние своего здоровья": "удовлетворительное",
            "Индекс здоровья": "3",
            "Биологический возраст, лет": "51,41",
            "Полный биологический возраст, лет": "31,18",
            "Разница, лет": "20,23",
            "Вывод": "Ускоренное старение.",
        }]),
        keys("Escape"),
        active(MAIN),
    ]),
    Flow("locked-settings", "a database another program keeps locked: refused, not frozen", [
        start(),
        click("Женский", RADIO),
        type_name("Анна"),
        click(SAVE),
        saved("Анна"),
        answer("OK"),
        quit_program(),
        database_held_busy(),
        start(),
        type_name("Борис"),
        click(SAVE),
        message("Не удалось сохранить профиль 'Борис'. Сохраненные профили не изменены.", ["OK"]),
        answer("OK"),
        type_name("анна", shows="Анна"),  # what was stored before is still there
        checked("Женский", RADIO),
    ]),
    Flow("backup-restore", "a backup by the menu, an empty home, a restore: the profile and its "
         "history are back", [
        start(),
        type_name("Мария"),
        tab_to(AGE, SLIDER),
        keys("Right", "Right", "Right"),
        reads(AGE, "23 года"),
        click(SAVE),
        saved("Мария"),
        answer("OK"),
        click("Рассчитать"),
        active(RESULTS),
        click("Записать в историю", title=RESULTS),
        shown("Записано", RESULTS, enabled=False),
        click("Закрыть", title=RESULTS),
        active(MAIN),
        tab_to(DATA, BUTTON),
        keys("space"),
        opens("Down Return", "Сохранить копию данных"),
        opens("Return", BOX),  # the proposed name in the proposed folder
        message_begins("Копия данных сохранена в", ["OK"]),
        answer("OK"),
        quit_program(),
        empty_home(),
        start(),
        type_name("Мария"),
        reads(AGE, "20 лет"),  # nothing stored: the name loads nothing
        tab_to(DATA, BUTTON),
        keys("space"),
        opens("Down Down Return", "Восстановить из копии"),
        type_file_name(BACKUP_NAME),
        opens("Return", BOX),
        message_begins("Данные восстановлены из копии", ["OK"]),
        answer("OK"),
        type_name("Мари"),
        type_name("мария", shows="Мария"),  # the list holds the profile again
        reads(AGE, "23 года"),
        click("Рассчитать"),
        active(RESULTS),
        click("История", TAB, RESULTS),
        column_reads("Записи истории", 3, ["23 года"], RESULTS),
        click("Закрыть", title=RESULTS),
        active(MAIN),
    ]),
    Flow("update-from-conf", "the first start with only the QSettings file of version 2.0.75: "
         "its profile loads, a save leaves that file as it was",
         update_from("legacy-profiles")),
    Flow("update-from-sections", "the first start with only the file of sections of the "
         "version before: its profile loads, a save leaves that file as it was",
         update_from("legacy-profiles-sections")),
]
