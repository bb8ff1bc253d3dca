#!/usr/bin/env python3
"""The problem of run_scenario.py from an LP file named on the command line: solved from the
keyboard, then saved again through the desktop's file dialog; glpsol reads the saved file.

usage: file_scenario.py PROGRAM OUTPUT_DIR   (run it through desktop_session.sh)
"""

import os
import re
import subprocess
import sys
import tempfile

import pyatspi

from bus_user import (STEP_SECONDS, ScenarioFailed, bring_to_front, click, grids, is_wizard, named, press,
                      run_program, set_deadline, type_text, wait_for, wait_for_window, wait_until_gone)
from run_scenario import check_end_and_close_table, leave_wizard, solve

PROBLEM = "\\ a teacher's problem\nMaximize\n F: 3 x1 + x2\nSubject To\n c1: 2 x1 + x2 = 4\nEnd\n"
MATRIX = [["2", "1", "=", "4"]]  # the body of the matrix grid, as a screen reader reads it


def matrix_body(wizard):
    """None before a grid shows."""
    shown = grids(wizard)
    if not shown:
        return None
    table = shown[0].queryTable()
    return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)] for r in range(table.nRows)]


def save_as(app, path):
    bring_to_front(app, "the wizard", "^Таблитор$", is_wizard)
    press("ctrl+s")
    dialog = wait_for_window(app, "the save dialog", lambda w: w.name == "Сохранить задачу")
    press("ctrl+a")  # the file name field has the focus, with the opened file's name
    type_text(path)
    press("Return")
    wait_until_gone(app, dialog, "the save dialog")
    report = path + ".out"
    subprocess.run(["glpsol", "--lp", path, "-o", report], check=True, capture_output=True, timeout=STEP_SECONDS)
    with open(report, encoding="utf-8") as file:
        if not re.search(r"Objective:\s+F = 6 \(MAXimum\)", text := file.read()):
            raise ScenarioFailed(f"glpsol did not reach the optimum of the saved file:\n{text}")


def main():
    program_path, out_dir = sys.argv[1], sys.argv[2]
    set_deadline(120)
    with tempfile.TemporaryDirectory() as folder:
        opened = os.path.join(folder, "problem.lp")
        with open(opened, "w", encoding="utf-8") as file:
            file.write(PROBLEM)

        def scenario(app, program):
            wizard = wait_for_window(app, "the wizard", is_wizard)
            wait_for(lambda: f"the problem in the matrix page, not {matrix_body(wizard)}",
                     lambda: matrix_body(wizard) == MATRIX)
            click(named(wizard, pyatspi.ROLE_PUSH_BUTTON, "Начать"))
            solve(app)
            check_end_and_close_table(app)
            save_as(app, os.path.join(folder, "saved.lp"))
            leave_wizard(app, program)

        return run_program(program_path, out_dir, "x11-file-scenario-failure.png", scenario, [opened])


if __name__ == "__main__":
    sys.exit(main())
