#!/usr/bin/env python3
"""A textbook problem with inequalities on a real X server: the general-problem setting switched
on through the settings dialog, the problem typed at the keyboard with its signs, the program's
conversion to canonical form read, and the first table of the M-method answered, its index row
in two rows. Screenshots of the conversion and of the M-method table go to OUTPUT_DIR; the
run is then stopped, back to the wizard.

usage: general_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import sys

import pyatspi

from bus_user import (ScenarioFailed, answer_basis, answer_elements_in_order, answer_key, answer_message, click,
                      grids, has_state, is_message, is_wizard, named, next_element_or_message, open_matrix_page,
                      press, run_program, screenshot, set_deadline, texts, type_grid_row, type_matrix_rows, wait_for,
                      wait_for_window, wait_until_gone)
from run_scenario import leave_wizard, stop_the_run

SCENARIO_SECONDS = 150
SETTING = "Общая задача (неравенства, искусственный базис)"

# Max F = 3x1 + 2x2, 2x1 + x2 <= 10, x1 + 3x2 >= 6: x3 takes up the slack of the first, x4 the
# surplus of the second, and the artificial y1 stands in its basis at the price -M.
ROWS = (("2", "1", "<=", "10"), ("1", "3", ">=", "6"))
OBJECTIVE = ("0", "3", "2")
CONVERSION = ("Приведение к каноническому виду", "добавлено искусственное неизвестное y1 с ценой -M")
# The index row's number part, then its part at M, by the field's label.
INDEX_ROW = {"Ind(0)=": "0", "Ind(1)=": "-3", "Ind(2)=": "-2", "Ind(3)=": "0", "Ind(4)=": "0", "Ind(5)=": "0",
             "M(0)=": "-6", "M(1)=": "-1", "M(2)=": "-3", "M(3)=": "0", "M(4)=": "1", "M(5)=": "0"}
KEY_ROW = {"B(2)=": "2", "A(2,1)=": "1/3", "A(2,2)=": "1", "A(2,3)=": "0", "A(2,4)=": "-1/3", "A(2,5)=": "1/3"}

_out_dir = "."


def switch_the_setting_on(app, wizard):
    click(named(wizard, pyatspi.ROLE_MENU_ITEM, "Настройки"))
    press("Down", "Return")  # its one item, "Прочие"
    dialog = wait_for_window(app, "the settings", lambda w: w.name == "Прочие настройки")
    box = named(dialog, pyatspi.ROLE_CHECK_BOX, SETTING)
    if has_state(box, pyatspi.STATE_CHECKED):
        raise ScenarioFailed("the general problem is on before anyone asked for it")
    click(box)
    wait_for("the setting checked", lambda: has_state(box, pyatspi.STATE_CHECKED))
    click(named(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    wait_until_gone(app, dialog, "the settings")


def enter_problem(app, wizard):
    open_matrix_page(wizard, (str(len(ROWS)), "2"), ("x1", "x2"), "F")
    switch_the_setting_on(app, wizard)
    matrix, objective = grids(wizard)
    type_matrix_rows(matrix, ROWS)
    signs = [matrix.queryTable().getAccessibleAt(row, 2).name for row in range(len(ROWS))]
    if signs != ["<=", ">="]:
        raise ScenarioFailed(f"the sign column reads {signs}")
    type_grid_row(objective, OBJECTIVE)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


def read_conversion(app):
    box = wait_for_window(app, "the conversion to canonical form",
                          lambda w: is_message(w) and w.name == CONVERSION[0])
    wait_for("the artificial unknown told", lambda: any(CONVERSION[1] in t for t in texts(box)))
    screenshot(_out_dir, "x11-general-conversion.png")
    answer_message(app, CONVERSION[1], "OK")


def answer_first_table(app):
    answer_basis(app, "x3")
    answer_basis(app, "y1")
    answer_elements_in_order(app, INDEX_ROW, "индексной строки", [f"Ind({k})=" for k in range(6)])
    dialog = next_element_or_message(app)
    if "M(0)=" not in texts(dialog):
        raise ScenarioFailed(f"the part at M was not asked: {texts(dialog)!r}")
    screenshot(_out_dir, "x11-general-m-row.png")
    answer_elements_in_order(app, INDEX_ROW, "индексной строки", [f"M({k})=" for k in range(6)])
    answer_message(app, "Вы хотите строить следующую таблицу?", "Да")
    answer_key(app, "Выберите ключевой столбец", 2)
    answer_key(app, "Выберите ключевой элемент", 2)
    answer_elements_in_order(app, KEY_ROW, "ключевой строки", list(KEY_ROW))
    next_element_or_message(app)
    screenshot(_out_dir, "x11-general-second-table.png")


def main():
    global _out_dir
    program_path, _out_dir = sys.argv[1], sys.argv[2]
    set_deadline(SCENARIO_SECONDS)

    def scenario(app, program):
        wizard = wait_for_window(app, "the wizard", is_wizard)
        enter_problem(app, wizard)
        read_conversion(app)
        answer_first_table(app)
        stop_the_run(app)
        leave_wizard(app, program)

    return run_program(program_path, _out_dir, "x11-general-failure.png", scenario)


if __name__ == "__main__":
    sys.exit(main())
