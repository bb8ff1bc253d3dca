#!/usr/bin/env python3
"""A keyboard user solves one problem in the real program on a real X server.

The wizard's fields, grids and buttons are found on the accessibility bus and clicked with
xdotool; the questions of the run are answered with the keyboard alone. What the program asks and
what it shows at the end are read from the accessibility bus, as a screen reader reads them.

usage: run_scenario.py PROGRAM OUTPUT_DIR   (run it through run_scenario.sh)
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STEP_SECONDS = 20
SCENARIO_SECONDS = 110
MAX_KEY_PRESSES = 10

# The problem: 2 x1 + x2 = 4, F = 3 x1 + x2 -> max.
SIZES = ("1", "2")  # equations, unknowns
NAMES = ("x1", "x2")
FUNCTION_NAME = "F"
EQUATION_ROW = ("2", "1", "4")  # Tab passes over the read-only "=" cell
OBJECTIVE_ROW = ("0", "3", "1")  # the free term, then x1 and x2

# The wizard's layout: data columns are 50 pixels wide, the names grid starts with a 100 pixel
# column of captions, and its buttons are 14 dialog units high.
DATA_COLUMN_WIDTH = 50
NAMES_CAPTION_WIDTH = 100
BUTTON_HEIGHT_DLU = 14

# The right answers, by the field's label; the prompt tells which table the label means.
INDEX_ROW = {"Ind(0)=": "4", "Ind(1)=": "-1", "Ind(2)=": "0"}
NEW_TABLE = {"B(1)=": "2", "A(1,1)=": "1", "A(1,2)=": "1/2",
             "Ind(0)=": "6", "Ind(1)=": "0", "Ind(2)=": "1/2"}
KEY_ROW = ("B(1)=", "A(1,1)=", "A(1,2)=")

FURTHER_TABLE = "Вы хотите строить следующую таблицу?"
SUCCESS_MESSAGE = "Теперь вам не составит труда выписать решение из таблицы"
EXPECTED_END = ("2-я симплексная таблица (F-MAX)", "Задача успешно решена")

scenario_deadline = time.monotonic() + SCENARIO_SECONDS


class ScenarioFailed(Exception):
    pass


# --- the accessibility bus -----------------------------------------------------------------------

def wait_for(what, condition, seconds=STEP_SECONDS):
    """Polls until condition gives something true; objects that vanish meanwhile count as not yet."""
    deadline = min(time.monotonic() + seconds, scenario_deadline)
    while True:
        try:
            result = condition()
        except GLib.Error:
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise ScenarioFailed(f"waited in vain for {what() if callable(what) else what}")
        time.sleep(0.1)


def has_state(acc, state):
    return acc.getState().contains(state)


def descendants(acc, role=None):
    return pyatspi.findAllDescendants(
        acc, lambda a: (role is None or a.getRole() == role) and has_state(a, pyatspi.STATE_SHOWING))


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def top_down(accs):
    return sorted(accs, key=lambda a: extents(a)[1])


def named(window, role, name):
    for acc in descendants(window, role):
        if acc.name == name:
            return acc
    raise ScenarioFailed(f"no {pyatspi.Role(role)} named {name!r} in the window {window.name!r}")


def texts(window):
    return [a.name for a in descendants(window, pyatspi.ROLE_LABEL) if a.name]


def shows_text(window, text):
    return any(text in t for t in texts(window))


def focused_name(window):
    """The name of the focused control (Qt marks its nameless container focused too)."""
    names = [a.name for a in descendants(window) if a.name and has_state(a, pyatspi.STATE_FOCUSED)]
    return names[-1] if names else None


def find_application(program):
    if program.poll() is not None:
        raise ScenarioFailed(f"the program ended at start with status {program.returncode}")
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app and app.get_process_id() == program.pid), None)


def active_window(app):
    return next((w for w in app if w and has_state(w, pyatspi.STATE_ACTIVE)), None)


def is_message(window):
    return window.getRole() == pyatspi.ROLE_ALERT


def wait_for_window(app, what, matches):
    """The active window, once it is the one described: keys reach no other. A message box
    nobody expected ends the scenario at once."""
    def front():
        window = active_window(app)
        if window is None or matches(window):
            return window
        if is_message(window):
            raise ScenarioFailed(f"a message instead of {what}: {' '.join(texts(window))!r}")
        return None
    return wait_for(what, front)


def wait_until_gone(app, window, what):
    """Waits for the window to close; a message box over a question ends the scenario at once."""
    def gone():
        try:
            if not has_state(window, pyatspi.STATE_SHOWING) or has_state(window, pyatspi.STATE_DEFUNCT):
                return True
        except GLib.Error:
            return True
        front = active_window(app)
        if not is_message(window) and front is not None and is_message(front):
            raise ScenarioFailed(f"a message instead of closing {what}: {' '.join(texts(front))!r}")
        return False
    wait_for(f"{what} to close", gone)


# --- the X server --------------------------------------------------------------------------------

def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=STEP_SECONDS)


def press(*keys):
    xdotool("key", "--delay", "50", *keys)


def type_text(text):
    xdotool("type", "--delay", "50", "--", text)


def click_at(x, y):
    # No --sync: it waits for the pointer to move, forever when it already stands there.
    xdotool("mousemove", str(x), str(y), "click", "1")


def click(acc):
    x, y, width, height = extents(acc)
    click_at(x + width // 2, y + height // 2)


def bring_to_front(app, what, x_title, matches):
    """With no window manager, nothing gives the keyboard back to a window when the dialog over
    it closes; a user would click it, xdotool focuses it."""
    window = active_window(app)
    if window is None or not matches(window):
        xdotool("search", "--onlyvisible", "--name", x_title, "windowfocus", "--sync")
    return wait_for_window(app, what, matches)


# --- the keyboard user ---------------------------------------------------------------------------

def tab_to(window, name):
    """Tabs until the control named name has the focus."""
    for _ in range(MAX_KEY_PRESSES):
        current = wait_for("a control with the focus", lambda: focused_name(window))
        if current == name:
            return
        press("Tab")
        wait_for(f"the focus to leave {current!r}", lambda: focused_name(window) != current)
    raise ScenarioFailed(f"Tab never reached {name!r}")


def choose_with_down(combo, name):
    for _ in range(MAX_KEY_PRESSES):
        if combo.name == name:
            return
        before = combo.name
        press("Down")
        wait_for(f"the list to move on from {before!r} towards {name!r}", lambda: combo.name != before)
    raise ScenarioFailed(f"the list never showed {name!r}")


def replace_field_text(field, text):
    click(field)
    press("ctrl+a", "BackSpace")
    type_text(text)


# --- the wizard ----------------------------------------------------------------------------------

def is_wizard(window):
    return window.getRole() == pyatspi.ROLE_DIALOG and window.name == "Таблитор"


def next_page(wizard, text):
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Далее >"))
    wait_for(f"the wizard page that shows {text!r}", lambda: shows_text(wizard, text))


def grids(wizard):
    """The shown grids, top down: each is a nameless focusable filler around its viewport."""
    return top_down(a for a in descendants(wizard, pyatspi.ROLE_FILLER)
                    if has_state(a, pyatspi.STATE_FOCUSABLE) and a.childCount == 1)


def row_height(wizard):
    # A grid row is one and a half lines of the dialog font, a line is 8 vertical dialog units,
    # and the buttons tell the unit. The click aims at a row's middle, so a pixel off is harmless.
    button_height = extents(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Отмена"))[3]
    return button_height * 8 / BUTTON_HEIGHT_DLU * 3 / 2


def type_grid_row(wizard, grid, first_column_left, values):
    """Clicks the first cell of the grid's only body row and types the row, Tab between cells."""
    x, y, _, _ = extents(grid[0])  # the viewport, inside the frame
    click_at(x + first_column_left + DATA_COLUMN_WIDTH // 2, y + int(row_height(wizard) * 1.5))
    for position, value in enumerate(values):
        if position:
            press("Tab")
        type_text(value)
    press("Return")


def enter_problem(wizard):
    for page_text in ("И Н С Т Р У К Ц И Я", "В процессе работы программы", "РАЗМЕРЫ ЗАДАЧИ"):
        next_page(wizard, page_text)
    for field, size in zip(top_down(descendants(wizard, pyatspi.ROLE_TEXT)), SIZES):
        replace_field_text(field, size)
    next_page(wizard, "Обозначения переменных")

    # The designation first: while a grid cell is being edited, its editor is a text field too.
    replace_field_text(descendants(wizard, pyatspi.ROLE_TEXT)[0], FUNCTION_NAME)
    type_grid_row(wizard, grids(wizard)[0], NAMES_CAPTION_WIDTH, NAMES)
    next_page(wizard, "Введите элементы матрицы")

    matrix, objective = grids(wizard)
    type_grid_row(wizard, matrix, 0, EQUATION_ROW)
    type_grid_row(wizard, objective, 0, OBJECTIVE_ROW)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


# --- the run -------------------------------------------------------------------------------------

def answer_basis(app, name):
    dialog = wait_for_window(app, "the basis question", lambda w: w.name == "Выбор базиса")
    choose_with_down(descendants(dialog, pyatspi.ROLE_COMBO_BOX)[0], name)
    press("Return")
    wait_until_gone(app, dialog, "the basis question")


def answer_key(app, caption, number):
    dialog = wait_for_window(app, f"the question {caption!r}", lambda w: w.name == caption)
    type_text(str(number))
    press("Return")
    wait_until_gone(app, dialog, f"the question {caption!r}")


def next_element_or_message(app):
    return wait_for_window(app, "an element question or a message",
                           lambda w: w.name == "Ввод данных" or is_message(w))


def answer_element(app, dialog, answers, prompt):
    """Types the value that the dialog's label asks for; returns the label ("A(1,2)=")."""
    if is_message(dialog):
        raise ScenarioFailed(f"a message instead of a question: {' '.join(texts(dialog))!r}")
    label = next((t for t in texts(dialog) if t.endswith("=")), None)
    if not shows_text(dialog, prompt) or label not in answers:
        raise ScenarioFailed(f"an unexpected question: {texts(dialog)!r}")
    type_text(answers[label])
    press("Return")
    wait_until_gone(app, dialog, f"the question {label}")
    return label


def answer_elements_in_order(app, answers, prompt, labels):
    for expected in labels:
        asked = answer_element(app, next_element_or_message(app), answers, prompt)
        if asked != expected:
            raise ScenarioFailed(f"{asked} was asked where {expected} was due")


def answer_message(app, text, button):
    box = wait_for_window(app, f"the message {text!r}", lambda w: is_message(w) and shows_text(w, text))
    tab_to(box, button)
    press("space")
    wait_until_gone(app, box, f"the message {text!r}")


def solve(app):
    answer_basis(app, "x2")
    answer_elements_in_order(app, INDEX_ROW, "индексной строки", INDEX_ROW)
    answer_message(app, FURTHER_TABLE, "Да")
    answer_key(app, "Выберите ключевой столбец", 1)
    answer_key(app, "Выберите ключевой элемент", 1)
    answer_elements_in_order(app, NEW_TABLE, "ключевой строки", KEY_ROW)
    asked = 0
    while not is_message(window := next_element_or_message(app)):
        answer_element(app, window, NEW_TABLE, "новой таблицы")
        asked += 1
    if asked == 0:
        raise ScenarioFailed("no element of the new table was asked")
    answer_message(app, FURTHER_TABLE, "Нет")
    answer_message(app, SUCCESS_MESSAGE, "OK")


def title_and_status(window):
    """The table window's title is its topmost text, the status line its lowest."""
    shown = top_down(a for a in descendants(window, pyatspi.ROLE_LABEL) if a.name)
    return shown[0].name, shown[-1].name


def check_end_and_close_table(app):
    window = bring_to_front(app, "the table window", "^Результаты", lambda w: w.name == "Результаты")
    wait_for(lambda: f"the end {EXPECTED_END}, not {title_and_status(window)}",
             lambda: title_and_status(window) == EXPECTED_END)
    press("Escape")
    wait_until_gone(app, window, "the table window")


def leave_wizard(app, program):
    wizard = bring_to_front(app, "the wizard", "^Таблитор$", is_wizard)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Отмена"))

    def exited_or_asks():
        if program.poll() is not None:
            return "exited"
        window = active_window(app)
        return "asks" if window is not None and is_message(window) else None

    if wait_for("the program to end", exited_or_asks) == "asks":
        press("Return")  # a confirmation's default button
    status = program.wait(timeout=STEP_SECONDS)
    if status != 0:
        raise ScenarioFailed(f"the program ended with status {status}")


# --- a failure's report --------------------------------------------------------------------------

def describe(acc, depth=0):
    try:
        line = f"{'  ' * depth}{acc.getRoleName()} {acc.name!r}"
        lines = [line + (" (focused)" if has_state(acc, pyatspi.STATE_FOCUSED) else "")]
        for child in acc:
            if child and has_state(child, pyatspi.STATE_SHOWING):
                lines += describe(child, depth + 1)
        return lines
    except GLib.Error as error:
        return [f"{'  ' * depth}(gone: {error.message})"]


def report_failure(program, app, out_dir, reason):
    print(f"FAILED: {reason}", file=sys.stderr)
    if program.poll() is not None:
        print(f"The program had ended with status {program.returncode}.", file=sys.stderr)
    try:
        active = active_window(app) if app else None
        shown = [w for w in app or [] if w and has_state(w, pyatspi.STATE_SHOWING)]
        windows = [active] if active else shown
        print("On screen (the active window, or every shown one when none is active):", file=sys.stderr)
        for window in windows:
            print("\n".join(describe(window)), file=sys.stderr)
    except GLib.Error as error:
        print(f"The program's windows could not be read: {error.message}", file=sys.stderr)
    shot = os.path.join(out_dir, "x11-scenario-failure.png")
    subprocess.run(["import", "-window", "root", shot], check=False, timeout=STEP_SECONDS)
    print(f"Screenshot: {shot}", file=sys.stderr)


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    # A TERM from the wrapper still ends the program through the finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    started = time.monotonic()
    program = subprocess.Popen([program_path])
    app = None
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_application(program))
        enter_problem(wait_for_window(app, "the wizard", is_wizard))
        solve(app)
        check_end_and_close_table(app)
        leave_wizard(app, program)
    except (ScenarioFailed, GLib.Error, subprocess.SubprocessError) as error:
        report_failure(program, app, out_dir, error)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print(f"Solved and closed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
