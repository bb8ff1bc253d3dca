#!/usr/bin/env python3
"""A screen reader reads the program's grids on a real X server.

The wizard's matrix and function grids are read after a keyboard user typed them, the table
window's main grid as the run opens it and again after the run wrote the index row: each grid's
name, every cell's text at its row and column, the header texts, and which cells take no typing.

usage: read_grids.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import sys

import pyatspi

from bus_user import (ScenarioFailed, answer_basis, answer_elements_in_order, click, grids, has_state,
                      is_message, is_wizard, named, open_matrix_page, run_program, set_deadline, shows_text,
                      type_grid_row, wait_for, wait_for_window)

READING_SECONDS = 55

# 2 x1 + x2 = 4, F = 3 x1 + x2 -> max, as the run scenario solves it.
SIZES = ("1", "2")
NAMES = ("x1", "x2")
EQUATION_ROW = ("2", "1", "4")
OBJECTIVE_ROW = ("0", "3", "1")
INDEX_ROW = {"Ind(0)=": "4", "Ind(1)=": "-1", "Ind(2)=": "0"}

# What each grid should read: its name, each column's header as a whole (its description) and
# the header next to the body (its header object), and the body's rows.
MATRIX = ("Введите элементы матрицы", ["x1", "x2", "Знак", "b"], ["x1", "x2", "Знак", "b"],
          [["2", "1", "=", "4"]])
OBJECTIVE = ("Введите коэффициенты целевой функции", ["Св.чл.", "x1", "x2"], ["Св.чл.", "x1", "x2"],
             [["0", "3", "1"]])
# The table window's header is two rows: the prices above the unknowns' names.
TABLE_HEADERS = (["Цены", "Базис", "0 Св.чл.", "3 x1", "1 x2"], ["Цены", "Базис", "Св.чл.", "x1", "x2"])
TABLE_NAME = "1-я симплексная таблица (F-MAX)"
FIRST_TABLE = (TABLE_NAME, *TABLE_HEADERS, [["?", "?", "4", "2", "1"], ["***", "ИС", "?", "?", "?"]])
INDEX_ROW_WRITTEN = (TABLE_NAME, *TABLE_HEADERS, [["1", "x2", "4", "2", "1"], ["***", "ИС", "4", "-1", "0"]])


def read_grid(grid):
    """The grid as a screen reader gets it: name, column descriptions, column header objects and
    the body's texts by row and column."""
    table = grid.queryTable()
    descriptions = [table.getColumnDescription(c) for c in range(table.nColumns)]
    header_objects = [table.getColumnHeader(c) for c in range(table.nColumns)]
    if any(h is None or h.getRole() != pyatspi.ROLE_TABLE_COLUMN_HEADER for h in header_objects):
        raise ScenarioFailed(f"{grid.name!r}: a column without a header object")
    headers = [h.name for h in header_objects]
    rows = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)] for r in range(table.nRows)]
    print(f"{grid.name!r}: {table.nRows} x {table.nColumns}, column descriptions {descriptions},"
          f" headers {headers}")
    for r, row in enumerate(rows):
        print(f"  row {r}: {row}")
    return grid.name, descriptions, headers, rows


def check_grid(grid, expected):
    read = read_grid(grid)
    if read != expected:
        raise ScenarioFailed(f"the grid read {read}, not {expected}")


def read_only_columns(grid):
    table = grid.queryTable()
    return [c for c in range(table.nColumns)
            if has_state(table.getAccessibleAt(0, c), pyatspi.STATE_READ_ONLY)]


def read_wizard(wizard):
    open_matrix_page(wizard, SIZES, NAMES, "F")
    matrix, objective = grids(wizard)
    type_grid_row(matrix, EQUATION_ROW)
    type_grid_row(objective, OBJECTIVE_ROW)
    check_grid(matrix, MATRIX)
    check_grid(objective, OBJECTIVE)
    # The student types past the "=" column: a screen reader must say that it takes no typing.
    if read_only_columns(matrix) != [2]:
        raise ScenarioFailed(f"read-only matrix columns {read_only_columns(matrix)}, not [2]")
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


def table_window(app):
    return next((w for w in app if w and w.name == "Результаты" and has_state(w, pyatspi.STATE_SHOWING)), None)


def read_run(app):
    wait_for_window(app, "the basis question", lambda w: w.name == "Выбор базиса")
    main_grid = grids(wait_for("the table window", lambda: table_window(app)))[0]
    check_grid(main_grid, FIRST_TABLE)
    answer_basis(app, "x2")
    answer_elements_in_order(app, INDEX_ROW, "индексной строки", INDEX_ROW)
    wait_for_window(app, "the question of a further table",
                    lambda w: is_message(w) and shows_text(w, "следующую таблицу"))
    check_grid(main_grid, INDEX_ROW_WRITTEN)


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    set_deadline(READING_SECONDS)

    def reading(app, _program):
        read_wizard(wait_for_window(app, "the wizard", is_wizard))
        read_run(app)

    return run_program(program_path, out_dir, "x11-grids-failure.png", reading, done="Read every grid")


if __name__ == "__main__":
    sys.exit(main())
