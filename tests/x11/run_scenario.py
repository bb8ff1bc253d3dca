#!/usr/bin/env python3
"""A keyboard user solves one problem in the real program on a real X server.

The wizard's fields, grids and buttons are found on the accessibility bus and clicked with
xdotool; the questions of the run are answered with the keyboard alone, one of them wrongly first,
which the program explains. What the program asks and what it shows at the end, the program's own
solution among it, are read from the accessibility bus, as a screen reader reads them.

usage: run_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh; with TABLITOR_LANG=en
the same scenario runs in English)
"""

import sys

import pyatspi

from bus_user import (STEP_SECONDS, ScenarioFailed, active_window, answer_basis, answer_element,
                      answer_elements_in_order, answer_key, answer_message, bring_to_front, click, descendants,
                      grids, has_state, is_message, is_wizard, named, next_element_or_message, open_matrix_page, press,
                      run_program, set_deadline, texts, top_down, tr, type_grid_row, type_text, wait_for,
                      wait_for_window, wait_until_gone)

SCENARIO_SECONDS = 110

# The problem: 2 x1 + x2 = 4, F = 3 x1 + x2 -> max.
SIZES = ("1", "2")  # equations, unknowns
NAMES = ("x1", "x2")
FUNCTION_NAME = "F"
EQUATION_ROW = ("2", "1", "4")  # Tab passes over the read-only "=" cell
OBJECTIVE_ROW = ("0", "3", "1")  # the free term, then x1 and x2

# The right answers, by the field's label; the prompt tells which table the label means.
INDEX_ROW = {"Ind(0)=": "4", "Ind(1)=": "-1", "Ind(2)=": "0"}
NEW_TABLE = {"B(1)=": "2", "A(1,1)=": "1", "A(1,2)=": "1/2",
             "Ind(0)=": "6", "Ind(1)=": "0", "Ind(2)=": "1/2"}
KEY_ROW = ("B(1)=", "A(1,1)=", "A(1,2)=")

# A wrong Ind(1) first: the message explains the rule with the cells it uses.
WRONG_INDEX_VALUE = "1"
EXPLANATION = (tr("Расчет неверный, повторите еще раз"), "Ind(1) = C(2)·A(1,1) − C(1)")

FURTHER_TABLE = tr("Вы хотите строить следующую таблицу?")
SUCCESS_MESSAGE = tr("Теперь вам не составит труда выписать решение из таблицы")
ANSWER = "x1 = 2, x2 = 0; F = 6"
EXPECTED_END = (tr("2-я симплексная таблица (F-MAX)"), tr("Задача успешно решена: ") + ANSWER)

# The program's own solution: its tables by title, each read as its body's rows, and the answer.
SOLUTION_TITLE = tr("Решение программы")
SOLUTION_TABLES = [(tr("1-я симплексная таблица (F-MAX)"),
                    [["1", "x2", "4", "2", "1"], ["***", tr("ИС"), "4", "-1", "0"]]),
                   (tr("2-я симплексная таблица (F-MAX)"),
                    [["3", "x1", "2", "1", "1/2"], ["***", tr("ИС"), "6", "0", "1/2"]])]


# --- the wizard ----------------------------------------------------------------------------------

def enter_problem(wizard):
    open_matrix_page(wizard, SIZES, NAMES, FUNCTION_NAME)
    matrix, objective = grids(wizard)
    type_grid_row(matrix, EQUATION_ROW)
    type_grid_row(objective, OBJECTIVE_ROW)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, tr("Начать")))


# --- the run -------------------------------------------------------------------------------------

def answer_wrongly_first(app, label, prompt):
    """Types a wrong value for the question labelled so, reads the explanation, then answers right."""
    dialog = next_element_or_message(app)
    if not any(t == label for t in texts(dialog)):
        raise ScenarioFailed(f"{label} was not asked: {texts(dialog)!r}")
    type_text(WRONG_INDEX_VALUE)
    press("Return")
    wait_for_window(app, "the explanation", lambda w: is_message(w) and all(
        any(part in t for t in texts(w)) for part in EXPLANATION))
    answer_message(app, EXPLANATION[0], "OK")
    dialog = bring_to_front(app, "the question again", f"^{tr('Ввод данных')}$", lambda w: w.name == tr("Ввод данных"))
    answer_element(app, dialog, INDEX_ROW, prompt)


def solve(app):
    answer_basis(app, "x2")
    answer_elements_in_order(app, INDEX_ROW, tr("индексной строки"), ("Ind(0)=",))
    answer_wrongly_first(app, "Ind(1)=", tr("индексной строки"))
    answer_elements_in_order(app, INDEX_ROW, tr("индексной строки"), ("Ind(2)=",))
    answer_message(app, FURTHER_TABLE, tr("Да"))
    answer_key(app, tr("Выберите ключевой столбец"), 1)
    answer_key(app, tr("Выберите ключевой элемент"), 1)
    answer_elements_in_order(app, NEW_TABLE, tr("ключевой строки"), KEY_ROW)
    asked = 0
    while not is_message(window := next_element_or_message(app)):
        answer_element(app, window, NEW_TABLE, tr("новой таблицы"))
        asked += 1
    if asked == 0:
        raise ScenarioFailed("no element of the new table was asked")
    answer_message(app, FURTHER_TABLE, tr("Нет"))
    answer_message(app, SUCCESS_MESSAGE, "OK")


def title_and_status(window):
    """The table window's title is its topmost text, the status line its lowest."""
    shown = top_down(a for a in descendants(window, pyatspi.ROLE_LABEL, into_tables=False) if a.name)
    return shown[0].name, shown[-1].name


def read_solution(window):
    """The solution window's grids as a screen reader reads them: name and body rows, top down."""
    tables = []
    for grid in grids(window):
        table = grid.queryTable()
        rows = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)] for r in range(table.nRows)]
        tables.append((grid.name, rows))
    return tables


def check_solution(app, table_window):
    click(named(table_window, pyatspi.ROLE_PUSH_BUTTON, tr("Решение")))
    window = wait_for_window(app, "the program's own solution", lambda w: w.name == SOLUTION_TITLE)
    tables = wait_for("the solution's tables", lambda: read_solution(window))
    if tables != SOLUTION_TABLES:
        raise ScenarioFailed(f"the solution read {tables}, not {SOLUTION_TABLES}")
    wait_for(f"the answer {ANSWER!r} under the tables", lambda: ANSWER in texts(window))
    press("Escape")
    wait_until_gone(app, window, "the solution window")


def check_end_and_close_table(app, expected=EXPECTED_END, solution=True):
    """expected: the table window's (title, status line) at the end; solution: look at the
    program's own solution of this scenario's problem first."""
    window = bring_to_front(app, "the table window", f"^{tr('Результаты')}", lambda w: w.name == tr("Результаты"))
    wait_for(lambda: f"the end {expected}, not {title_and_status(window)}",
             lambda: title_and_status(window) == expected)
    if solution:
        check_solution(app, window)
        window = bring_to_front(app, "the table window", f"^{tr('Результаты')}", lambda w: w.name == tr("Результаты"))
    press("Escape")
    wait_until_gone(app, window, "the table window")


def stop_the_run(app):
    """Escape on a question, and "Да" to stopping: the table window goes, the wizard stays."""
    press("Escape")
    answer_message(app, "Прервать решение задачи?", "Да")
    wait_for("the table window to close", lambda: not any(
        w and w.name == "Результаты" and has_state(w, pyatspi.STATE_SHOWING) for w in app))


def leave_wizard(app, program):
    wizard = bring_to_front(app, "the wizard", f"^{tr('Таблитор')}$", is_wizard)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, tr("Отмена")))

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


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    set_deadline(SCENARIO_SECONDS)

    def scenario(app, program):
        enter_problem(wait_for_window(app, "the wizard", is_wizard))
        solve(app)
        check_end_and_close_table(app)
        leave_wizard(app, program)

    return run_program(program_path, out_dir, "x11-scenario-failure.png", scenario, done="Solved and closed")


if __name__ == "__main__":
    sys.exit(main())
