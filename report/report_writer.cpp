#include "report/report_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "report/xlsx_library.h"

namespace {

// Row 1 of the sheet stays empty, and one empty row parts each block from the next.
constexpr lxw_row_t kFirstBlockRow = 1;

// Column widths are in the sheet's character units. A character of margin keeps a fitted text off
// the border; the minimum keeps a column of one-digit numbers from shrinking to a sliver, and the
// cap keeps one runaway text from pushing the rest of a table off the printed page.
constexpr double kWidthMargin = 1.0;
constexpr double kMinColumnWidth = 4.0;
constexpr double kMaxColumnWidth = 60.0;

// The spreadsheet's built-in number format "@", text.
constexpr uint8_t kTextNumberFormat = 49;

// The library's functions, once WriteReportSheets has found the library.
const XlsxLibrary& Xlsx()
{
    return *OpenXlsxLibrary();
}

// The snapshot part of a block: m + 3 rows of n + 3 texts, under the block's title row.
struct TableShape {
    int rows = 0;
    int columns = 0;

    lxw_row_t BlockTop(std::size_t step) const
    {
        return kFirstBlockRow + static_cast<lxw_row_t>(step) * static_cast<lxw_row_t>(rows + 2);
    }
};

struct Sheet {
    lxw_worksheet* worksheet = nullptr;
    lxw_format* cellFormat = nullptr;
};

struct CellFailure {
    lxw_error error = LXW_NO_ERROR;
    lxw_row_t row = 0;
    lxw_col_t column = 0;
};

std::string StepTitle(std::size_t step)
{
    return Fill(Tr("Report", "Шаг %1"), {std::to_string(step)});
}

// The width a text needs is its number of characters, and in UTF-8 every byte that is not a
// continuation byte starts one.
std::size_t CharacterCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

// A snapshot shorter than the table it belongs to reads as empty cells rather than out of bounds.
const std::string& SnapshotText(const TableSnapshot& snapshot, int row, int column)
{
    static const std::string empty;
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    if (r < snapshot.size() && c < snapshot[r].size()) {
        return snapshot[r][c];
    }
    return empty;
}

std::vector<double> ColumnWidths(const TableShape& shape, const std::vector<TableSnapshot>& snapshots)
{
    std::vector<std::size_t> longest(static_cast<std::size_t>(shape.columns), 0);
    if (!snapshots.empty() && !longest.empty()) {
        longest[0] = CharacterCount(StepTitle(snapshots.size() - 1));
    }
    for (const TableSnapshot& snapshot : snapshots) {
        for (int row = 0; row < shape.rows; ++row) {
            for (int column = 0; column < shape.columns; ++column) {
                auto& width = longest[static_cast<std::size_t>(column)];
                width = std::max(width, CharacterCount(SnapshotText(snapshot, row, column)));
            }
        }
    }
    std::vector<double> widths;
    widths.reserve(longest.size());
    for (std::size_t characters : longest) {
        widths.push_back(std::clamp(static_cast<double>(characters) + kWidthMargin, kMinColumnWidth, kMaxColumnWidth));
    }
    return widths;
}

CellFailure SetColumnWidths(const Sheet& sheet, const std::vector<double>& widths)
{
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const auto col = static_cast<lxw_col_t>(column);
        const lxw_error error = Xlsx().worksheet_set_column(sheet.worksheet, col, col, widths[column], nullptr);
        if (error != LXW_NO_ERROR) {
            return {error, 0, col};
        }
    }
    return {};
}

// Every text goes in as a string cell, so that "3/5" or "-2" is never read as a date or a number;
// an empty text still gets its bordered cell, which a string write of "" would leave out.
lxw_error WriteCell(const Sheet& sheet, lxw_row_t row, lxw_col_t column, const std::string& text)
{
    if (text.empty()) {
        return Xlsx().worksheet_write_blank(sheet.worksheet, row, column, sheet.cellFormat);
    }
    return Xlsx().worksheet_write_string(sheet.worksheet, row, column, text.c_str(), sheet.cellFormat);
}

// Row by row from the top, which the constant-memory mode requires.
CellFailure WriteBlock(const Sheet& sheet, const TableShape& shape, std::size_t step, const TableSnapshot& snapshot)
{
    static const std::string empty;
    const std::string title = StepTitle(step);
    const lxw_row_t top = shape.BlockTop(step);
    for (int blockRow = 0; blockRow <= shape.rows; ++blockRow) {
        const lxw_row_t row = top + static_cast<lxw_row_t>(blockRow);
        for (int column = 0; column < shape.columns; ++column) {
            const std::string& text = blockRow == 0 ? (column == 0 ? title : empty)
                                                    : SnapshotText(snapshot, blockRow - 1, column);
            const auto col = static_cast<lxw_col_t>(column);
            const lxw_error error = WriteCell(sheet, row, col, text);
            if (error != LXW_NO_ERROR) {
                return {error, row, col};
            }
        }
    }
    return {};
}

std::string Quoted(const std::string& text)
{
    return "«" + text + "»";
}

std::string Reason(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return Tr("Report", "не хватило памяти");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return Tr("Report", "не удалось записать временный файл");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return Tr("Report", "таблицы не помещаются на лист");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return Tr("Report", "текст ячейки длиннее 32767 знаков");
    default:
        return Fill(Tr("Report", "ошибка записи (код %1)"), {std::to_string(static_cast<int>(error))});
    }
}

std::string CellName(lxw_row_t row, lxw_col_t column)
{
    char name[LXW_MAX_CELL_NAME_LENGTH];
    Xlsx().lxw_rowcol_to_cell(name, row, column);
    return name;
}

ReportResult Failure(std::string message)
{
    return {false, std::move(message)};
}

ReportResult CellFailureResult(const std::string& path, const CellFailure& failure)
{
    return Failure(Fill(Tr("Report", "Не удалось записать ячейку %1 в файл %2: %3."),
                        {CellName(failure.row, failure.column), Quoted(path), Reason(failure.error)}));
}

ReportResult CloseFailureResult(const std::string& path, lxw_error error)
{
    if (error == LXW_ERROR_CREATING_XLSX_FILE) {
        return Failure(Fill(Tr("Report", "Не удалось создать файл %1. Проверьте, что папка существует и в неё можно "
                                         "записывать."),
                            {Quoted(path)}));
    }
    return Failure(Fill(Tr("Report", "Не удалось записать файл %1: %2."), {Quoted(path), Reason(error)}));
}

// The closing line stands where a further block's title would, outside every block: no border,
// and no part in the columns' widths, as its text runs on over the empty cells beside it.
CellFailure WriteClosingLine(const Sheet& sheet, const TableShape& shape, const ReportSheet& content)
{
    const lxw_row_t row = shape.BlockTop(content.snapshots.size());
    const lxw_error error =
        Xlsx().worksheet_write_string(sheet.worksheet, row, 0, content.closingLine.c_str(), nullptr);
    return error == LXW_NO_ERROR ? CellFailure{} : CellFailure{error, row, 0};
}

// Returns the first cell that would not go in, or no failure once every block is written.
CellFailure FillSheet(const Sheet& sheet, const TableShape& shape, const ReportSheet& content)
{
    const std::vector<TableSnapshot>& snapshots = content.snapshots;
    CellFailure failure;
    if (!snapshots.empty()) {
        failure = SetColumnWidths(sheet, ColumnWidths(shape, snapshots));
    }
    for (std::size_t step = 0; step < snapshots.size() && failure.error == LXW_NO_ERROR; ++step) {
        failure = WriteBlock(sheet, shape, step, snapshots[step]);
    }
    if (failure.error == LXW_NO_ERROR && !content.closingLine.empty()) {
        failure = WriteClosingLine(sheet, shape, content);
    }
    return failure;
}

// One empty column between the blocks and the picture.
CellFailure InsertPicture(const Sheet& sheet, const TableShape& shape, const std::vector<unsigned char>& png)
{
    const auto column = static_cast<lxw_col_t>(shape.columns + 1);
    const lxw_error error =
        Xlsx().worksheet_insert_image_buffer(sheet.worksheet, kFirstBlockRow, column, png.data(), png.size());
    return {error, kFirstBlockRow, column};
}

// A report cut short would look complete on paper, so its file does not stay.
void RemovePartialFile(const std::string& path)
{
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
}

lxw_format* CellFormat(lxw_workbook* workbook)
{
    lxw_format* format = Xlsx().workbook_add_format(workbook);
    if (format != nullptr) {
        Xlsx().format_set_border(format, LXW_BORDER_THIN);
        // Text format as well, so that a cell the student retypes in the spreadsheet stays text.
        Xlsx().format_set_num_format_index(format, kTextNumberFormat);
    }
    return format;
}

} // namespace

ReportResult WriteReport(const std::string& path, int m, int n, const std::vector<TableSnapshot>& snapshots,
                         const std::vector<unsigned char>& picturePng)
{
    return WriteReportSheets(path, m, n, {ReportSheet{StudentSheetName, snapshots, {}, picturePng}});
}

ReportResult WriteReportSheets(const std::string& path, int m, int n, const std::vector<ReportSheet>& sheets)
{
    if (m < 0 || n < 0 || n > LXW_COL_MAX - 3 || m > LXW_ROW_MAX - 5) {
        return Failure(Fill(Tr("Report", "Неверный размер таблицы: уравнений %1, неизвестных %2."),
                            {std::to_string(m), std::to_string(n)}));
    }
    if (OpenXlsxLibrary() == nullptr) {
        return Failure(Fill(Tr("Report", "Не удалось создать файл %1: не найдена библиотека libxlsxwriter."),
                            {Quoted(path)}));
    }
    // The blocks go in row by row from the top, so each row can leave memory once written; that
    // halves the time of the longest run's report.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = Xlsx().workbook_new_opt(path.c_str(), &options);
    if (workbook == nullptr) {
        return Failure(Fill(Tr("Report", "Не удалось создать файл %1."), {Quoted(path)}));
    }
    lxw_format* cellFormat = CellFormat(workbook);
    bool sheetReady = cellFormat != nullptr;
    const TableShape shape{m + 3, n + 3};
    CellFailure failure;
    for (const ReportSheet& content : sheets) {
        const std::string name = TrMarked("Report", content.name.c_str());
        const Sheet sheet{Xlsx().workbook_add_worksheet(workbook, name.c_str()), cellFormat};
        sheetReady = sheetReady && sheet.worksheet != nullptr;
        if (!sheetReady || failure.error != LXW_NO_ERROR) {
            break;
        }
        failure = FillSheet(sheet, shape, content);
        if (failure.error == LXW_NO_ERROR && !content.picturePng.empty()) {
            failure = InsertPicture(sheet, shape, content.picturePng);
        }
    }
    // Closing also frees the workbook, so it happens on every path.
    const lxw_error closed = Xlsx().workbook_close(workbook);
    if (!sheetReady) {
        RemovePartialFile(path);
        return Failure(Fill(Tr("Report", "Не удалось подготовить лист для файла %1: %2."),
                            {Quoted(path), Reason(LXW_ERROR_MEMORY_MALLOC_FAILED)}));
    }
    if (failure.error != LXW_NO_ERROR) {
        RemovePartialFile(path);
        return CellFailureResult(path, failure);
    }
    if (closed != LXW_NO_ERROR) {
        RemovePartialFile(path);
        return CloseFailureResult(path, closed);
    }
    return {};
}
