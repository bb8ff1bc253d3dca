"""What a keyboard user and a screen reader do with the program on a real X server.

Windows, controls and grids are found on the accessibility bus, as a screen reader finds them;
keys and clicks go through xdotool, as a user's would. run_scenario.py and read_grids.py are
written with these.
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# The interface's language of a scenario: Russian, whatever the machine's locale, unless the test
# asks for English with TABLITOR_LANG=en. Scenarios write the program's texts in Russian and read
# them through tr().
LANGUAGE = os.environ.get("TABLITOR_LANG", "ru")
ENGLISH = {
    "Таблитор": "Tablitor",
    "Далее >": "Next >",
    "Отмена": "Cancel",
    "Начать": "Start",
    "Да": "Yes",
    "Нет": "No",
    "И Н С Т Р У К Ц И Я": "I N S T R U C T I O N S",
    "В процессе работы программы": "As the program runs",
    "РАЗМЕРЫ ЗАДАЧИ": "SIZES OF THE PROBLEM",
    "Обозначения переменных": "Names of the variables",
    "Введите элементы матрицы": "Enter the elements of the matrix",
    "Выбор базиса": "Choice of the basis",
    "Ввод данных": "Data entry",
    "индексной строки": "index row",
    "ключевой строки": "pivot row",
    "новой таблицы": "new table",
    "Выберите ключевой столбец": "Choose the pivot column",
    "Выберите ключевой элемент": "Choose the pivot element",
    "Вы хотите строить следующую таблицу?": "Do you want to build the next table?",
    "Теперь вам не составит труда выписать решение из таблицы": "Now you can easily read the solution off the table",
    "Расчет неверный, повторите еще раз": "The value is wrong, try again",
    "Задача успешно решена: ": "The problem is solved: ",
    "1-я симплексная таблица (F-MAX)": "Simplex table 1 (F-MAX)",
    "2-я симплексная таблица (F-MAX)": "Simplex table 2 (F-MAX)",
    "ИС": "Ind",
    "Результаты": "Results",
    "Решение": "Solution",
    "Решение программы": "Program's solution",
}


def tr(text):
    """The program's text `text` (written in Russian) in the scenario's language."""
    return ENGLISH[text] if LANGUAGE == "en" else text

STEP_SECONDS = 20
MAX_KEY_PRESSES = 10

_deadline = time.monotonic() + 600


class ScenarioFailed(Exception):
    pass


def set_deadline(seconds):
    """No wait goes on past this many seconds from now."""
    global _deadline
    _deadline = time.monotonic() + seconds


# --- the accessibility bus -----------------------------------------------------------------------

def wait_for(what, condition, seconds=STEP_SECONDS):
    """Polls until condition gives something true; objects that vanish meanwhile count as not yet."""
    deadline = min(time.monotonic() + seconds, _deadline)
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


def descendants(acc, role=None, into_tables=True):
    """The shown descendants of that role; into_tables=False leaves the cells of grids unread,
    which a grid of 100 x 100 makes worth it."""
    if into_tables:
        return pyatspi.findAllDescendants(
            acc, lambda a: (role is None or a.getRole() == role) and has_state(a, pyatspi.STATE_SHOWING))
    found = []
    for child in acc:
        if child is None or not has_state(child, pyatspi.STATE_SHOWING):
            continue
        if role is None or child.getRole() == role:
            found.append(child)
        if child.getRole() != pyatspi.ROLE_TABLE:
            found += descendants(child, role, into_tables=False)
    return found


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def top_down(accs):
    return sorted(accs, key=lambda a: extents(a)[1])


def named(window, role, name):
    for acc in descendants(window, role, into_tables=False):
        if acc.name == name:
            return acc
    raise ScenarioFailed(f"no {pyatspi.Role(role)} named {name!r} in the window {window.name!r}")


def texts(window):
    return [a.name for a in descendants(window, pyatspi.ROLE_LABEL, into_tables=False) if a.name]


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


# --- the wizard ----------------------------------------------------------------------------------

def is_wizard(window):
    return window.getRole() == pyatspi.ROLE_DIALOG and window.name == tr("Таблитор")


def replace_field_text(field, text):
    click(field)
    press("ctrl+a", "BackSpace")
    type_text(text)


def next_page(wizard, text):
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, tr("Далее >")))
    wait_for(f"the wizard page that shows {text!r}", lambda: shows_text(wizard, text))


def grids(window):
    """The shown grids, top down."""
    return top_down(descendants(window, pyatspi.ROLE_TABLE, into_tables=False))


def type_grid_row(grid, values):
    """Clicks the grid's first body cell and types its row, Tab between cells."""
    click(grid.queryTable().getAccessibleAt(0, 0))
    for position, value in enumerate(values):
        if position:
            press("Tab")
        type_text(value)
    press("Return")


def type_matrix_rows(matrix, rows):
    """Types each equation's row from its first cell, Tab between cells, Return at its end."""
    for row, values in enumerate(rows):
        click(matrix.queryTable().getAccessibleAt(row, 0))
        for position, value in enumerate(values):
            if position:
                press("Tab")
            type_text(value)
        press("Return")


def open_matrix_page(wizard, sizes, names, function_name):
    """Leafs through the wizard to the matrix page: sizes are (equations, unknowns)."""
    for page_text in ("И Н С Т Р У К Ц И Я", "В процессе работы программы", "РАЗМЕРЫ ЗАДАЧИ"):
        next_page(wizard, tr(page_text))
    for field, size in zip(top_down(descendants(wizard, pyatspi.ROLE_TEXT)), sizes):
        replace_field_text(field, size)
    next_page(wizard, tr("Обозначения переменных"))

    # The designation first: while a grid cell is being edited, its editor is a text field too.
    replace_field_text(descendants(wizard, pyatspi.ROLE_TEXT)[0], function_name)
    type_grid_row(grids(wizard)[0], names)
    next_page(wizard, tr("Введите элементы матрицы"))


# --- the run's questions ------------------------------------------------------------------------

def answer_basis(app, name):
    dialog = wait_for_window(app, "the basis question", lambda w: w.name == tr("Выбор базиса"))
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
                           lambda w: w.name == tr("Ввод данных") or is_message(w))


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


def screenshot(out_dir, name):
    subprocess.run(["import", "-window", "root", os.path.join(out_dir, name)], check=True, timeout=STEP_SECONDS)


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


def report_failure(program, app, out_dir, reason, shot_name):
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
    shot = os.path.join(out_dir, shot_name)
    subprocess.run(["import", "-window", "root", shot], check=False, timeout=STEP_SECONDS)
    print(f"Screenshot: {shot}", file=sys.stderr)


def run_program(program_path, out_dir, shot_name, act, arguments=(), done=None):
    """Starts the program with the arguments, finds it on the bus and hands it to act(app,
    program); a failure is reported with what was on screen and a screenshot, a success with
    "<done> in <seconds> s" when done is given. Returns the script's exit status."""
    started = time.monotonic()
    # A TERM from the wrapper still ends the program through the finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    program = subprocess.Popen([program_path, "--lang", LANGUAGE, *arguments])
    app = None
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_application(program))
        act(app, program)
    except (ScenarioFailed, GLib.Error, subprocess.SubprocessError) as error:
        report_failure(program, app, out_dir, error, shot_name)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    if done:
        print(f"{done} in {time.monotonic() - started:.1f} s")
    return 0
