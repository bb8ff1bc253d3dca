#!/usr/bin/env python3
"""What a new user meets first, on a real X server.

1. The keyboard alone through the wizard: each page starts on its first field, and Ctrl+Tab and
   Ctrl+Shift+Tab leave a grid and come back to it (Tab stays inside).
2. An unbounded problem: the right "Нет" is told that the function is unbounded, and the table
   window says that the problem has no solution.
3. A table of 100 equations and 100 unknowns from an LP file: each question brings what it asks
   about into sight, and the wheel scrolls the table while a question is open. Screenshots of the
   questions go to OUTPUT_DIR. Escape then stops the run, back to the wizard.

usage: new_user_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import os
import random
import sys
import tempfile

import pyatspi

from bus_user import (ScenarioFailed, answer_basis, answer_element, answer_elements_in_order, answer_key,
                      answer_message, bring_to_front, click, descendants, extents, grids, has_state, is_wizard,
                      named, next_element_or_message, next_page, press, replace_field_text, run_program, screenshot,
                      set_deadline, texts, top_down, type_grid_row, type_matrix_rows, type_text, wait_for,
                      wait_for_window, wait_until_gone, xdotool)
from run_scenario import check_end_and_close_table, leave_wizard, stop_the_run

SCENARIO_SECONDS = 420

# Max F = 2x1 + x2, x1 - x2 + x3 = 1, -2x1 + x2 + x4 = 2: after one pivot column x2 has no positive
# element, and F grows without bound.
UNBOUNDED = {
    "rows": (("1", "-1", "1", "0", "1"), ("-2", "1", "0", "1", "2")),
    "objective": ("0", "2", "1", "0", "0"),
    "index_row": {"Ind(0)=": "0", "Ind(1)=": "-2", "Ind(2)=": "-1", "Ind(3)=": "0", "Ind(4)=": "0"},
    "key_row": ("B(1)=", "A(1,1)=", "A(1,2)=", "A(1,3)=", "A(1,4)="),
    "new_table": {"B(1)=": "1", "A(1,1)=": "1", "A(1,2)=": "-1", "A(1,3)=": "1", "A(1,4)=": "0",
                  "B(2)=": "4", "A(2,1)=": "0", "A(2,2)=": "-1", "A(2,3)=": "2", "A(2,4)=": "1",
                  "Ind(0)=": "2", "Ind(1)=": "0", "Ind(2)=": "-3", "Ind(3)=": "2", "Ind(4)=": "0"},
}
FURTHER_TABLE = "Вы хотите строить следующую таблицу?"
UNBOUNDED_MESSAGE = "Верно: целевая функция не ограничена, задача не имеет решения"
UNBOUNDED_END = ("2-я симплексная таблица (F-MAX)", "Задача не имеет решения: функция не ограничена")

BIG = 100


def focused(window):
    """The innermost focused object of the window."""
    found = [a for a in descendants(window) if has_state(a, pyatspi.STATE_FOCUSED)]
    return found[-1] if found else None


def grid_of(acc):
    while acc is not None and acc.getRole() != pyatspi.ROLE_TABLE:
        acc = acc.parent
    return acc


def expect_focus(window, what, holds):
    wait_for(lambda: f"the focus on {what}, not on {describe_focus(window)}",
             lambda: (current := focused(window)) is not None and holds(current))


def describe_focus(window):
    current = focused(window)
    return "nothing" if current is None else f"{current.getRoleName()} {current.name!r}"


def same(a, b):
    return a is not None and b is not None and extents(a) == extents(b) and a.getRole() == b.getRole()


# --- 1 and 2: the wizard from the keyboard, an unbounded problem -----------------------------------

def enter_unbounded_problem(wizard):
    for page_text in ("И Н С Т Р У К Ц И Я", "В процессе работы программы", "РАЗМЕРЫ ЗАДАЧИ"):
        next_page(wizard, page_text)
    fields = top_down(descendants(wizard, pyatspi.ROLE_TEXT))
    expect_focus(wizard, "the number of equations", lambda acc: same(acc, fields[0]))
    press("ctrl+a")
    type_text("2")
    press("Tab", "ctrl+a")
    type_text("4")
    next_page(wizard, "Обозначения переменных")
    expect_focus(wizard, "the names table", lambda acc: same(grid_of(acc), grids(wizard)[0]))
    for position, name in enumerate(("x1", "x2", "x3", "x4")):
        if position:
            press("Tab")
        type_text(name)
    press("Return")
    replace_field_text(descendants(wizard, pyatspi.ROLE_TEXT)[0], "F")
    next_page(wizard, "Введите элементы матрицы")

    matrix, objective = grids(wizard)
    expect_focus(wizard, "the matrix", lambda acc: same(grid_of(acc), matrix))
    for leave, come_back in (("ctrl+Tab", "shift+Tab"), ("ctrl+shift+Tab", "Tab")):
        press(leave)
        expect_focus(wizard, f"a control beside the matrix after {leave}",
                     lambda acc: not same(grid_of(acc), matrix))
        press(come_back)
        expect_focus(wizard, f"the matrix again after {come_back}", lambda acc: same(grid_of(acc), matrix))
    type_matrix_rows(matrix, UNBOUNDED["rows"])
    type_grid_row(objective, UNBOUNDED["objective"])
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


def solve_unbounded(app):
    problem = UNBOUNDED
    answer_basis(app, "x3")
    answer_basis(app, "x4")
    answer_elements_in_order(app, problem["index_row"], "индексной строки",
                             ("Ind(0)=", "Ind(1)=", "Ind(2)=", "Ind(3)=", "Ind(4)="))
    answer_message(app, FURTHER_TABLE, "Да")
    answer_key(app, "Выберите ключевой столбец", 1)
    answer_key(app, "Выберите ключевой элемент", 1)
    answer_elements_in_order(app, problem["new_table"], "ключевой строки", problem["key_row"])
    while (window := next_element_or_message(app)).name == "Ввод данных":
        answer_element(app, window, problem["new_table"], "новой таблицы")
    answer_message(app, FURTHER_TABLE, "Нет")
    answer_message(app, UNBOUNDED_MESSAGE, "OK")


# --- 3: a table of 100 x 100 ----------------------------------------------------------------------

def big_name(k):
    """Names of three characters at most: x00 .. x99."""
    return f"x{k - 1:02d}"


def write_big_problem(path):
    """x_i = b_i for each equation: the basis is plain, the table as tall and wide as it gets."""
    chance = random.Random(7)
    prices = " + ".join(f"{chance.randint(1, 9)} {big_name(k)}" for k in range(1, BIG + 1))
    rows = "\n".join(f" r{i}: {big_name(i)} = {chance.randint(1, 20)}" for i in range(1, BIG + 1))
    with open(path, "w", encoding="utf-8") as file:
        file.write(f"Maximize\n F: {prices}\nSubject To\n{rows}\nEnd\n")


def main_grid(app):
    window = next(w for w in app if w and w.name == "Результаты" and has_state(w, pyatspi.STATE_SHOWING))
    return grids(window)[0]


def in_sight(grid, row, column):
    """Whether the body cell shows inside the grid's own frame."""
    gx, gy, gw, gh = extents(grid)
    x, y, w, h = extents(grid.queryTable().getAccessibleAt(row, column))
    return gx <= x and x + w <= gx + gw and gy <= y and y + h <= gy + gh


def answer_big_basis(app, grid, equation):
    dialog = wait_for_window(app, "the basis question", lambda w: w.name == "Выбор базиса")
    if not any(f" {equation} уравнении" in t for t in texts(dialog)):
        raise ScenarioFailed(f"equation {equation} was not asked: {texts(dialog)!r}")
    wait_for(f"equation {equation} in sight while it is asked", lambda: in_sight(grid, equation - 1, 0))
    if equation == 13:
        screenshot_and_scroll(app, dialog, grid)
    combo = descendants(dialog, pyatspi.ROLE_COMBO_BOX)[0]
    name = big_name(equation)
    type_text(name)  # the list finds the name typed
    wait_for(lambda: f"{name} chosen, not {combo.name!r}", lambda: combo.name == name)
    press("Return")
    wait_until_gone(app, dialog, "the basis question")


def screenshot_and_scroll(app, dialog, grid):
    screenshot(_out_dir, "x11-big-basis-question.png")
    before = extents(grid.queryTable().getAccessibleAt(12, 0))
    gx, gy, gw, gh = extents(grid)
    click_at_wheel(gx + gw // 2, gy + gh // 2, "5")
    wait_for("the table to scroll under the wheel while the question is open",
             lambda: extents(grid.queryTable().getAccessibleAt(12, 0)) != before)
    screenshot(_out_dir, "x11-big-basis-question-scrolled.png")
    # The keyboard stays with the question.
    x, y, w, h = extents(dialog)
    xdotool("mousemove", str(x + w // 2), str(y + h // 2))


def click_at_wheel(x, y, button):
    xdotool("mousemove", str(x), str(y), "click", "--repeat", "3", button)


def check_index_row_in_sight(app, grid):
    dialog = next_element_or_message(app)
    if "Ind(0)=" not in texts(dialog):
        raise ScenarioFailed(f"Ind(0) was not asked after the basis: {texts(dialog)!r}")
    wait_for("the index row in sight while Ind(0) is asked", lambda: in_sight(grid, BIG, 2))
    screenshot(_out_dir, "x11-big-index-row-question.png")


_out_dir = "."


def main():
    global _out_dir
    program_path, _out_dir = sys.argv[1], sys.argv[2]
    set_deadline(SCENARIO_SECONDS)

    def unbounded(app, program):
        enter_unbounded_problem(wait_for_window(app, "the wizard", is_wizard))
        solve_unbounded(app)
        check_end_and_close_table(app, UNBOUNDED_END, solution=False)
        leave_wizard(app, program)

    status = run_program(program_path, _out_dir, "x11-new-user-failure.png", unbounded)
    if status != 0:
        return status

    with tempfile.TemporaryDirectory() as folder:
        big = os.path.join(folder, "big.lp")
        write_big_problem(big)

        def tall_and_wide(app, program):
            wizard = wait_for_window(app, "the wizard", is_wizard)
            wait_for("the matrix page of the file's problem", lambda: len(grids(wizard)) == 2)
            click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))
            wait_for_window(app, "the basis question", lambda w: w.name == "Выбор базиса")
            grid = main_grid(app)
            for equation in range(1, BIG + 1):
                answer_big_basis(app, grid, equation)
            check_index_row_in_sight(app, grid)
            stop_the_run(app)
            wizard = bring_to_front(app, "the wizard", "^Таблитор$", is_wizard)
            leave_wizard(app, program)

        return run_program(program_path, _out_dir, "x11-big-table-failure.png", tall_and_wide, [big])


if __name__ == "__main__":
    sys.exit(main())
