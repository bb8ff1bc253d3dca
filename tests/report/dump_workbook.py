#!/usr/bin/python3
r"""Writes the first sheet of a workbook as lines of tab-separated fields, for the report tests.

Usage: dump_workbook.py BOOK.xlsx OUT.txt

    sheets  NAME...
    size    MAX_ROW  MAX_COLUMN
    width   LETTER  WIDTH            (columns with a width of their own)
    cell    NAME  DATA_TYPE  VALUE  LEFT  RIGHT  TOP  BOTTOM

Every cell of the used range is listed. A blank cell's value is "-"; any other value starts
with "=" (so that "-" itself stays apart), and tabs, line breaks and backslashes in it are
written as \t, \n and \\. A side without a line is written "-".
"""
import sys

import openpyxl
from openpyxl.utils import column_index_from_string, get_column_letter

SIDES = ("left", "right", "top", "bottom")


def escaped(value):
    if value is None:
        return "-"
    text = str(value).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
    return "=" + text


def width_lines(sheet):
    for letter, dimension in sheet.column_dimensions.items():
        first = dimension.min or column_index_from_string(letter)
        last = dimension.max or first
        for index in range(first, last + 1):
            yield ["width", get_column_letter(index), repr(dimension.width)]


def cell_lines(sheet):
    for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row, max_col=sheet.max_column):
        for cell in row:
            sides = [getattr(cell.border, side).style or "-" for side in SIDES]
            yield ["cell", cell.coordinate, cell.data_type, escaped(cell.value)] + sides


def main(book_path, out_path):
    book = openpyxl.load_workbook(book_path)
    sheet = book.worksheets[0]
    lines = [["sheets"] + book.sheetnames, ["size", str(sheet.max_row), str(sheet.max_column)]]
    lines += width_lines(sheet)
    lines += cell_lines(sheet)
    with open(out_path, "w", encoding="utf-8") as out:
        for fields in lines:
            out.write("\t".join(fields) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
