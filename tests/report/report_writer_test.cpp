#include "report/report_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>


namespace {

namespace fs = std::filesystem;
using ::testing::IsEmpty;

// One cell as openpyxl reads it back.
struct DumpedCell {
    bool blank = true;
    std::string value;
    std::string dataType;
    std::vector<std::string> border;  // left, right, top, bottom; "" where there is no line

    bool ThinBorderAllRound() const
    {
        return border.size() == 4 &&
               std::all_of(border.begin(), border.end(), [](const std::string& side) { return side == "thin"; });
    }
    bool NoBorder() const
    {
        return std::all_of(border.begin(), border.end(), [](const std::string& side) { return side.empty(); });
    }
};

struct DumpedSheet {
    std::vector<std::string> sheetNames;
    int rows = 0;
    int columns = 0;
    std::map<std::string, double> widths;
    std::map<std::string, DumpedCell> cells;

    const DumpedCell& Cell(const std::string& name) const
    {
        static const DumpedCell absent;
        const auto found = cells.find(name);
        return found == cells.end() ? absent : found->second;
    }
};

std::string ColumnLetters(int column)
{
    std::string letters;
    for (; column > 0; column = (column - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
    }
    return letters;
}

// Spreadsheet cell names count rows and columns from 1.
std::string CellName(int row, int column)
{
    return ColumnLetters(column) + std::to_string(row);
}

std::string ShellQuoted(const fs::path& path)
{
    std::string quoted = "'";
    for (char c : path.string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) {
        fields.push_back(field);
    }
    return fields;
}

std::string Unescaped(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            plain += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

DumpedCell ToCell(const std::vector<std::string>& fields)
{
    DumpedCell cell;
    cell.dataType = fields.at(2);
    cell.blank = fields.at(3) == "-";
    cell.value = cell.blank ? std::string() : Unescaped(fields.at(3).substr(1));
    for (std::size_t side = 4; side < 8; ++side) {
        cell.border.push_back(fields.at(side) == "-" ? std::string() : fields.at(side));
    }
    return cell;
}

// The lines of dump_workbook.py, back into a sheet.
DumpedSheet ToSheet(const std::string& dump)
{
    DumpedSheet sheet;
    std::istringstream lines(dump);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = Fields(line);
        const std::string& kind = fields.at(0);
        if (kind == "sheets") {
            sheet.sheetNames.assign(fields.begin() + 1, fields.end());
        } else if (kind == "size")
    {
            sheet.rows = std::stoi(fields.at(1));
            sheet.columns = std::stoi(fields.at(2));
        } else if (kind == "width")
    {
            sheet.widths[fields.at(1)] = std::stod(fields.at(2));
        } else if (kind == "cell")
    {
            sheet.cells[fields.at(1)] = ToCell(fields);
        }
    }
    return sheet;
}

TableSnapshot MakeSnapshot(int m, int n, const std::function<std::string(int, int)>& text)
{
    TableSnapshot snapshot(static_cast<std::size_t>(m + 3));
    for (int row = 0; row < m + 3; ++row) {
        for (int column = 0; column < n + 3; ++column) {
            snapshot[static_cast<std::size_t>(row)].push_back(text(row, column));
        }
    }
    return snapshot;
}

std::string SnapshotText(const TableSnapshot& snapshot, int row, int column)
{
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    return r < snapshot.size() && c < snapshot[r].size() ? snapshot[r][c] : std::string();
}

// What differs between the block whose title row is sheet row top and the snapshot it shows;
// the first few are enough to see a fault.
std::vector<std::string> BlockMismatches(const DumpedSheet& sheet, int top, int step, int m, int n,
                                         const TableSnapshot& snapshot)
    {
    std::vector<std::string> mismatches;
    auto note = [&](const std::string& cell, const std::string& what) {
        if (mismatches.size() < 10) {
            mismatches.push_back(cell + ": " + what);
        }
    };
    for (int blockRow = 0; blockRow < m + 4; ++blockRow) {
        for (int column = 0; column < n + 3; ++column) {
            const std::string name = CellName(top + blockRow, column + 1);
            const DumpedCell& cell = sheet.Cell(name);
            const std::string expected = blockRow == 0 ? (column == 0 ? "Шаг " + std::to_string(step) : "")
                                                       : SnapshotText(snapshot, blockRow - 1, column);
            if (expected.empty() && !cell.blank) {
                note(name, "expected blank, got \"" + cell.value + "\"");
            }
            if (!expected.empty() && (cell.blank || cell.value != expected || cell.dataType != "s")) {
                note(name, "expected text \"" + expected + "\", got \"" + cell.value + "\" of type " + cell.dataType);
            }
            if (!cell.ThinBorderAllRound()) {
                note(name, "not bordered thin on all four sides");
            }
        }
    }
    return mismatches;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tablitor-report-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    DumpedSheet ReadBack(const fs::path& book) const
    {
        const fs::path dump = folder_ / "dump.txt";
        const fs::path log = folder_ / "dump.log";
        const std::string command = ShellQuoted(TABLITOR_REPORT_PYTHON) + " " + ShellQuoted(TABLITOR_REPORT_DUMP) +
                                    " " + ShellQuoted(book) + " " + ShellQuoted(dump) + " 2>" + ShellQuoted(log);
        if (std::system(command.c_str()) != 0) {
            ADD_FAILURE() << "reading " << book << " back failed:\n" << ReadText(log);
            return {};
        }
        return ToSheet(ReadText(dump));
    }

    DumpedSheet WriteAndReadBack(int m, int n, const std::vector<TableSnapshot>& snapshots,
                                 const std::string& name = "report.xlsx") const {
        const fs::path book = folder_ / name;
        const ReportResult result = WriteReport(book.string(), m, n, snapshots);
        EXPECT_TRUE(result.ok) << result.message;
        return ReadBack(book);
    }

    fs::path folder_;
};

TEST_F(ReportTest, TwoSnapshotsOfOneByTwoFillA2ToE6AndA8ToE12)
{
    const auto text = [](int step) {
        return [step](int row, int column) { return std::to_string(step) + ":" + std::to_string(row * 10 + column); };
    };
    const std::vector<TableSnapshot> snapshots{MakeSnapshot(1, 2, text(0)), MakeSnapshot(1, 2, text(1))};
    const DumpedSheet sheet = WriteAndReadBack(1, 2, snapshots);

    EXPECT_EQ(sheet.rows, 12);
    EXPECT_EQ(sheet.columns, 5);
    EXPECT_EQ(sheet.Cell("A2").value, "Шаг 0");
    EXPECT_EQ(sheet.Cell("A8").value, "Шаг 1");
    EXPECT_EQ(sheet.Cell("E12").value, "1:34");
    EXPECT_THAT(BlockMismatches(sheet, 2, 0, 1, 2, snapshots[0]), IsEmpty());
    EXPECT_THAT(BlockMismatches(sheet, 8, 1, 1, 2, snapshots[1]), IsEmpty());
    for (int emptyRow : {1, 7}) {
        for (int column = 1; column <= 5; ++column) {
            const DumpedCell& cell = sheet.Cell(CellName(emptyRow, column));
            EXPECT_TRUE(cell.blank && cell.NoBorder()) << CellName(emptyRow, column) << " belongs to no block";
        }
    }
}

TEST_F(ReportTest, TextsThatLookLikeNumbersStayStrings)
{
    const std::vector<std::string> texts{"3/5", "-2", "0.333", "1e3", "0,5", "12.01.2024", "=1+1", "TRUE"};
    const int n = static_cast<int>(texts.size()) - 3;
    const DumpedSheet sheet = WriteAndReadBack(1, n, {MakeSnapshot(1, n, [&](int row, int column) {
        return row == 1 ? texts[static_cast<std::size_t>(column)] : "";
    })});

    for (std::size_t column = 0; column < texts.size(); ++column) {
        const DumpedCell& cell = sheet.Cell(CellName(4, static_cast<int>(column) + 1));
        EXPECT_EQ(cell.dataType, "s") << texts[column];
        EXPECT_EQ(cell.value, texts[column]);
    }
}

TEST_F(ReportTest, EmptyAndMissingTextsAreBlankBorderedCells)
{
    TableSnapshot snapshot = MakeSnapshot(2, 1, [](int row, int column) {
        return (row + column) % 2 == 0 ? "" : "7";
    });
    snapshot[1].resize(2);
    snapshot.pop_back();
    const DumpedSheet sheet = WriteAndReadBack(2, 1, {snapshot});

    for (const char* name : {"A3", "C3", "B4", "C4", "D4", "A7", "B7", "D7"}) {
        EXPECT_TRUE(sheet.Cell(name).blank) << name;
        EXPECT_TRUE(sheet.Cell(name).ThinBorderAllRound()) << name;
    }
    EXPECT_THAT(BlockMismatches(sheet, 2, 0, 2, 1, snapshot), IsEmpty());
}

TEST_F(ReportTest, ColumnWidthsHoldTheirLongestText)
{
    const std::vector<std::string> columnTexts{"Цены", "1", "-123456/789013", std::string(100, '9')};
    const DumpedSheet sheet = WriteAndReadBack(1, 1, {MakeSnapshot(1, 1, [&](int row, int column) {
        return row == 2 ? columnTexts[static_cast<std::size_t>(column)] : "";
    })});

    struct Row {
        const char* column;
        double atLeast;
        double atMost;
    };
    // Column A's longest text is the title "Шаг 0": five characters, but nine bytes.
    for (const Row& row : {Row{"A", 5, 8}, Row{"B", 1, 6}, Row{"C", 14, 17}, Row{"D", 30, 70}}) {
        ASSERT_TRUE(sheet.widths.contains(row.column)) << row.column;
        EXPECT_GE(sheet.widths.at(row.column), row.atLeast) << row.column;
        EXPECT_LE(sheet.widths.at(row.column), row.atMost) << row.column;
    }
}

TEST_F(ReportTest, HundredByHundredBlocksAreComplete)
{
    const int size = 100;
    std::vector<TableSnapshot> snapshots;
    for (int step = 0; step < 3; ++step) {
        snapshots.push_back(MakeSnapshot(size, size, [step](int row, int column) {
            return (row + column) % 17 == 0 ? "" : "-" + std::to_string(step * 1000 + row) + "/" + std::to_string(column + 1);
        }));
    }
    const DumpedSheet sheet = WriteAndReadBack(size, size, snapshots);

    EXPECT_EQ(sheet.rows, 2 + 2 * (size + 5) + size + 3);
    EXPECT_EQ(sheet.columns, size + 3);
    for (int step = 0; step < 3; ++step) {
        EXPECT_THAT(BlockMismatches(sheet, 2 + step * (size + 5), step, size, size, snapshots[step]), IsEmpty())
            << "block " << step;
    }
}

TEST_F(ReportTest, CyrillicFileNameAndTextsSurvive)
{
    const std::vector<std::string> texts{"Базис", "x₁", "Св.чл.", "½"};
    const std::string name = "Решение задачи №1.xlsx";
    const DumpedSheet sheet = WriteAndReadBack(1, 1, {MakeSnapshot(1, 1, [&](int row, int column) {
        return row == 1 ? texts[static_cast<std::size_t>(column)] : "";
    })}, name);

    EXPECT_TRUE(fs::exists(folder_ / name));
    EXPECT_EQ(sheet.sheetNames, std::vector<std::string>{"Решение"});
    for (std::size_t column = 0; column < texts.size(); ++column) {
        EXPECT_EQ(sheet.Cell(CellName(4, static_cast<int>(column) + 1)).value, texts[column]);
    }
}

TEST_F(ReportTest, NoSnapshotGivesOneEmptySheet)
{
    const DumpedSheet sheet = WriteAndReadBack(2, 3, {});

    EXPECT_EQ(sheet.sheetNames.size(), 1u);
    EXPECT_EQ(sheet.rows, 1);
    EXPECT_EQ(sheet.columns, 1);
    EXPECT_TRUE(sheet.Cell("A1").blank);
}

TEST_F(ReportTest, UnwritableFolderIsReportedAndLeavesNoFile)
{
    std::ofstream(folder_ / "plain-file") << "not a folder";
    for (const char* folder : {"no-such-folder", "plain-file"}) {
        const fs::path book = folder_ / folder / "report.xlsx";
        const ReportResult result = WriteReport(book.string(), 1, 2, {MakeSnapshot(1, 2, [](int, int) { return "1"; })});

        EXPECT_FALSE(result.ok) << folder;
        EXPECT_THAT(result.message, ::testing::StartsWith("Не удалось создать файл «" + book.string() + "»")) << folder;
        EXPECT_FALSE(fs::exists(book)) << folder;
    }
}

TEST_F(ReportTest, NegativeSizeIsReportedAndWritesNothing)
{
    const fs::path book = folder_ / "report.xlsx";
    const ReportResult result = WriteReport(book.string(), -1, 2, {});

    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.message, ::testing::HasSubstr("Неверный размер таблицы"));
    EXPECT_FALSE(fs::exists(book));
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"')
    {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"')
    {
            quoted = true;
        } else if (c == ',')
    {
            row.push_back(std::exchange(field, {}));
        } else if (c == '\n')
    {
            row.push_back(std::exchange(field, {}));
            rows.push_back(std::exchange(row, {}));
        } else if (c != '\r')
    {
            field += c;
        }
    }
    // A last line without a line break still counts.
    if (!field.empty() || !row.empty()) {
        row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

TEST_F(ReportTest, LibreOfficeReadsTheSameTextsInTheSameCells)
{
    const std::string soffice = TABLITOR_SOFFICE;
    if (soffice.empty()) {
        GTEST_SKIP() << "soffice was not found when the build was configured (apt-get install libreoffice-calc-nogui)";
    }
    const std::vector<std::string> texts{"3/5", "-2", "0.333", "", "Базис"};
    const auto text = [&](int step) {
        return [&, step](int row, int column) { return texts[static_cast<std::size_t>(row + column + step) % texts.size()]; };
    };
    const std::vector<TableSnapshot> snapshots{MakeSnapshot(1, 2, text(0)), MakeSnapshot(1, 2, text(1))};
    // The program's own solution on a second sheet, with its answer one empty row below.
    const std::vector<ReportSheet> sheets{{StudentSheetName, snapshots, "", {}},
                                          {ProgramSheetName, {snapshots[1], snapshots[0]}, "x1 = 3/5; F = -2", {}}};
    const fs::path book = folder_ / "report.xlsx";
    ASSERT_TRUE(WriteReportSheets(book.string(), 1, 2, sheets).ok);

    // A profile of its own, so that runs side by side do not wait on each other's lock; each sheet
    // to a file of its own, "report-<sheet>.csv".
    const fs::path log = folder_ / "soffice.log";
    const std::string command = "timeout 180 " + ShellQuoted(soffice) + " -env:UserInstallation=file://" +
                                (folder_ / "profile").string() +
                                " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,"
                                "false,false,false,-1' --outdir " +
                                ShellQuoted(folder_) + " " + ShellQuoted(book) + " >" + ShellQuoted(log) + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(log);
    for (const ReportSheet& sheet : sheets) {
        const std::string written = ReadText(folder_ / ("report-" + sheet.name + ".csv"));
        const auto csv = ParseCsv(written);
        ASSERT_EQ(csv.size(), sheet.closingLine.empty() ? 12u : 14u) << written;
        for (int row = 1; row <= 12; ++row) {
            const int blockRow = (row - 2) % 6;
            const int step = (row - 2) / 6;
            for (int column = 1; column <= 5; ++column) {
                std::string expected;
                if (row >= 2 && blockRow == 0 && column == 1) {
                    expected = "Шаг " + std::to_string(step);
                } else if (row >= 2 && blockRow >= 1 && blockRow <= 4) {
                    expected = SnapshotText(sheet.snapshots[static_cast<std::size_t>(step)], blockRow - 1, column - 1);
                }
                const auto& csvRow = csv[static_cast<std::size_t>(row - 1)];
                const std::string actual = static_cast<std::size_t>(column - 1) < csvRow.size() ? csvRow[column - 1] : "";
                EXPECT_EQ(actual, expected) << sheet.name << " " << CellName(row, column);
            }
        }
        if (!sheet.closingLine.empty()) {
            EXPECT_EQ(csv.back().at(0), sheet.closingLine);
        }
    }
}

} // namespace
