#!/usr/bin/env python3
"""A problem kept in an LP file: the program opens it from the command line, a keyboard user
solves it, then saves it again from the wizard through the desktop's file dialog, and glpsol
reads the saved file to the same optimum.

usage: file_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

from bus_user import (STEP_SECONDS, ScenarioFailed, bring_to_front, click, grids, is_wizard, named, press,
                      run_program, set_deadline, shows_text, type_text, wait_for, wait_for_window, wait_until_gone)
from run_scenario import check_end_and_close_table, leave_wizard, solve

SCENARIO_SECONDS = 120

# The problem of run_scenario.py, as a teacher would hand it out.
PROBLEM = """\\ 2 x1 + x2 = 4, F = 3 x1 + x2 -> max
Maximize
 F: 3 x1 + x2
Subject To
 c1: 2 x1 + x2 = 4
End
"""
# What the matrix grid then holds, as a screen reader reads its body.
MATRIX = [["2", "1", "=", "4"]]
OPTIMUM = r"Objective:\s+F = 6 \(MAXimum\)"


def grid_body(grid):
    table = grid.queryTable()
    return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)] for r in range(table.nRows)]


def start_opened_problem(app):
    wizard = wait_for_window(app, "the wizard", is_wizard)
    wait_for("the matrix page", lambda: shows_text(wizard, "Введите элементы матрицы"))
    wait_for(lambda: f"the problem in the matrix grid, not {grid_body(grids(wizard)[0])}",
             lambda: grid_body(grids(wizard)[0]) == MATRIX)
    click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))


def save_again(app, saved):
    bring_to_front(app, "the wizard", "^Таблитор$", is_wizard)
    press("ctrl+s")
    dialog = wait_for_window(app, "the save dialog", lambda w: w.name == "Сохранить задачу")
    # The file name field has the focus, with the opened file's name in it.
    press("ctrl+a")
    type_text(saved)
    press("Return")
    wait_until_gone(app, dialog, "the save dialog")
    wait_for(f"the file {saved}", lambda: os.path.exists(saved))


def check_with_glpsol(saved):
    report = saved + ".out"
    subprocess.run(["glpsol", "--lp", saved, "-o", report], check=True, capture_output=True, timeout=STEP_SECONDS)
    with open(report, encoding="utf-8") as file:
        text = file.read()
    if not re.search(OPTIMUM, text):
        raise ScenarioFailed(f"glpsol did not reach the optimum of the saved file:\n{text}")


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    set_deadline(SCENARIO_SECONDS)
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as folder:
        opened = os.path.join(folder, "problem.lp")
        saved = os.path.join(folder, "saved.lp")
        with open(opened, "w", encoding="utf-8") as file:
            file.write(PROBLEM)

        def scenario(app, program):
            start_opened_problem(app)
            solve(app)
            check_end_and_close_table(app)
            save_again(app, saved)
            check_with_glpsol(saved)
            leave_wizard(app, program)

        status = run_program(program_path, out_dir, "x11-file-scenario-failure.png", scenario, [opened])
    if status == 0:
        print(f"Opened, solved, saved and closed in {time.monotonic() - started:.1f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())
