#!/usr/bin/env python3
"""The picture of the path on a real X server: a keyboard user solves a problem with two free
unknowns while the picture window stands beside the table window, and a screen reader reads the
corners of the path under the picture as the run goes on. The picture must never take the
keyboard from the questions. Screenshots of the screen mid-run and at the end go to OUTPUT_DIR.

usage: picture_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import sys

import pyatspi

from bus_user import (answer_basis, answer_element, answer_elements_in_order, answer_key, answer_message, click,
                      descendants, grids, is_message, is_wizard, named, next_element_or_message, open_matrix_page,
                      press, run_program, screenshot, set_deadline, type_matrix_rows, type_text, wait_for,
                      wait_for_window)
from run_scenario import check_end_and_close_table, leave_wizard

SCENARIO_SECONDS = 170
FURTHER_TABLE = "Вы хотите строить следующую таблицу?"

# Max F = 2x1 + 3x2, x1 + x2 + x3 = 4, x1 + 3x2 + x4 = 6: three tables, the optimum at (3; 1).
# Its rows as typed (the coefficients, then b), the right answers by the field's label, each
# pivot's key column and key row, and the corners the picture lists after each table.
PROBLEM = {
    "rows": (("1", "1", "1", "0", "4"), ("1", "3", "0", "1", "6")),
    "objective": ("0", "2", "3", "0", "0"),
    "basis": ("x3", "x4"),
    "index_row": {"Ind(0)=": "0", "Ind(1)=": "-2", "Ind(2)=": "-3", "Ind(3)=": "0", "Ind(4)=": "0"},
    "key_row": ("B(2)=", "A(2,1)=", "A(2,2)=", "A(2,3)=", "A(2,4)="),
    "new_table": {"B(1)=": "2", "A(1,1)=": "2/3", "A(1,2)=": "0", "A(1,3)=": "1", "A(1,4)=": "-1/3",
                  "B(2)=": "2", "A(2,1)=": "1/3", "A(2,2)=": "1", "A(2,3)=": "0", "A(2,4)=": "1/3",
                  "Ind(0)=": "6", "Ind(1)=": "-1", "Ind(2)=": "0", "Ind(3)=": "0", "Ind(4)=": "1"},
    "pivots": ((2, 2), (1, 1)),
    "ending": ("Теперь вам не составит труда выписать решение из таблицы",
               "3-я симплексная таблица (F-MAX)",
               "Задача успешно решена: x1 = 3, x2 = 1, x3 = 0, x4 = 0; F = 9"),
    "corners": ("Вершины: 1) (0; 0)", "Вершины: 1) (0; 0), 2) (0; 2)",
                "Вершины: 1) (0; 0), 2) (0; 2), 3) (3; 1) — оптимум"),
}


def corners_shown(app):
    """The line under the picture, as a screen reader reads it; None while there is no picture."""
    window = next((w for w in app if w and w.name == "График"), None)
    if window is None:
        return None
    return next((a.name for a in descendants(window, pyatspi.ROLE_LABEL, into_tables=False) if a.name.startswith("Вершины")), None)


def expect_corners(app, expected):
    wait_for(lambda: f"the picture to list {expected!r}, not {corners_shown(app)!r}",
             lambda: corners_shown(app) == expected)


def enter_problem(wizard, problem):
    names = tuple(f"x{k}" for k in range(1, len(problem["objective"])))
    open_matrix_page(wizard, (str(len(problem["rows"])), str(len(names))), names, "F")
    matrix, objective = grids(wizard)
    type_matrix_rows(matrix, problem["rows"])
    click(objective.queryTable().getAccessibleAt(0, 0))
    for position, value in enumerate(problem["objective"]):
        if position:
            press("Tab")
        type_text(value)
    press("Return")
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


def solve(app, problem, out_dir):
    for name in problem["basis"]:
        answer_basis(app, name)
    expect_corners(app, problem["corners"][0])
    index_row = problem["index_row"]
    answer_elements_in_order(app, index_row, "индексной строки", list(index_row))
    for step, (column, row) in enumerate(problem["pivots"]):
        answer_message(app, FURTHER_TABLE, "Да")
        answer_key(app, "Выберите ключевой столбец", column)
        answer_key(app, "Выберите ключевой элемент", row)
        if step == 0:
            answer_elements_in_order(app, problem["new_table"], "ключевой строки", problem["key_row"])
            while not is_message(window := next_element_or_message(app)):
                answer_element(app, window, problem["new_table"], "новой таблицы")
            expect_corners(app, problem["corners"][1])
            screenshot(out_dir, "picture-mid-run.png")
    answer_message(app, FURTHER_TABLE, "Нет")
    answer_message(app, problem["ending"][0], "OK")
    expect_corners(app, problem["corners"][-1])
    screenshot(out_dir, "picture-end.png")


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    problem = PROBLEM
    set_deadline(SCENARIO_SECONDS)

    def scenario(app, program):
        enter_problem(wait_for_window(app, "the wizard", is_wizard), problem)
        solve(app, problem, out_dir)
        check_end_and_close_table(app, problem["ending"][1:], solution=False)
        leave_wizard(app, program)

    return run_program(program_path, out_dir, "x11-picture-failure.png", scenario, done="Solved beside the picture")


if __name__ == "__main__":
    sys.exit(main())
