#pragma once

#include <xlsxwriter.h>

// The functions of the spreadsheet library that the report calls. The library is opened at the
// first report, not at the program's start: loading it and what it links (zip, crypto) made
// every start slower, and most runs never write a report.
struct XlsxLibrary {
    decltype(&::workbook_new_opt) workbook_new_opt = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    decltype(&::format_set_border) format_set_border = nullptr;
    decltype(&::format_set_num_format_index) format_set_num_format_index = nullptr;
    decltype(&::worksheet_set_column) worksheet_set_column = nullptr;
    decltype(&::worksheet_write_blank) worksheet_write_blank = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_insert_image_buffer) worksheet_insert_image_buffer = nullptr;
    decltype(&::lxw_rowcol_to_cell) lxw_rowcol_to_cell = nullptr;
};

// The library, opened on the first call; null when it or one of its functions is missing.
const XlsxLibrary* OpenXlsxLibrary();
