#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "tests/ui/run_fixture.h"
#include "ui/picture_wnd.h"
#include "ui/report_output.h"
#include "ui/table_dlg.h"

namespace {

// Sheet by sheet, its name, the titles of its blocks and the texts of its last row, as a
// spreadsheet reader sees them.
QString ReadBack(const QString& path)
{
    const char* script = "import sys, openpyxl\n"
                         "for sheet in openpyxl.load_workbook(sys.argv[1]).worksheets:\n"
                         "    titles = [c.value for c in sheet['A'] if c.value and str(c.value).startswith(('Шаг', 'Step'))]\n"
                         "    last = [str(c.value) for c in sheet[sheet.max_row] if c.value]\n"
                         "    print(sheet.title + ': ' + ' | '.join(titles) + ' / ' + ' '.join(last))\n";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

// The report goes to a temporary location of the test's own, and the files the desktop is asked
// to open are only recorded.
class ReportOutputTest : public RunFixture {
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        previousTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toUtf8());
        previousOpener = SetDesktopOpener([this](const QString& path) {
            opened << path;
            return openerWorks;
        });
    }
    void TearDown() override
    {
        SetDesktopOpener(previousOpener);
        qputenv("TMPDIR", previousTemp);
        RunFixture::TearDown();
    }

    // Solves the three-table problem and presses "Вывод результатов" as often as asked.
    void SolveAndPressReport(int presses)
    {
        EnterThreeTableProblem();
        student->onRunEnded = [this, presses](CTableDlg& table) {
            auto* report = table.ControlAs<QPushButton>(CTableDlg::IDC_REPORT);
            for (int press = 0; press < presses; ++press) {
                report->click();
                tips << report->toolTip();
            }
        };
        RunEnd end = StartRun();
        EXPECT_EQ(end.status, QString("Задача успешно решена: ") + kThreeTableAnswer);
    }

    QTemporaryDir temp;
    QByteArray previousTemp;
    DesktopOpener previousOpener;
    QStringList opened;
    bool openerWorks = true;
    // The report button's tip after each press.
    QStringList tips;
};

TEST_F(ReportOutputTest, EachPressWritesANewReportOfTheRunAndOpensIt)
{
    SolveAndPressReport(2);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_NE(opened[0], opened[1]);
    for (const QString& path : opened) {
        EXPECT_EQ(QFileInfo(path).dir(), ReportFolder());
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith("Таблитор ")) << path.toStdString();
        // the student's tables, and the program's own with its answer below them
        EXPECT_EQ(ReadBack(path), QString("Решение: Шаг 0 | Шаг 1 | Шаг 2 / *** ИС 9 0 0 3/2 1/2\n"
                                          "Решение программы: Шаг 0 | Шаг 1 | Шаг 2 / ") +
                                      kThreeTableAnswer)
            << path.toStdString();
    }
    EXPECT_TRUE(student->MessageTexts().filter("Отчет").isEmpty());
    // The button names the file of the last report.
    EXPECT_EQ(tips, QStringList({"Отчет записан в файл\n" + QDir::toNativeSeparators(opened[0]),
                                 "Отчет записан в файл\n" + QDir::toNativeSeparators(opened[1])}));
}

// The three-table problem has two free unknowns: its picture stands beside the blocks, from
// column I (one empty column after the blocks' A..G) and row 2, level with the first block.
TEST_F(ReportOutputTest, ThePictureOfThePathStandsBesideTheTables)
{
    SolveAndPressReport(1);
    ASSERT_EQ(opened.size(), 1);
    const char* script = "import sys, openpyxl\n"
                         "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                         "for image in sheet._images:\n"
                         "    start = image.anchor._from\n"
                         "    print(image.format, image.width, image.height, start.col, start.row)\n";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, opened[0]});
    python.waitForFinished(60000);
    const QSize size = CPictureWnd::FileSize();
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed().toStdString(),
              QString("png %1 %2 8 1").arg(size.width()).arg(size.height()).toStdString());
}

TEST_F(ReportOutputTest, AFolderThatCannotBeMadeIsReportedAndTheWindowGoesOn)
{
    QFile plainFile(temp.filePath("not-a-folder"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    qputenv("TMPDIR", plainFile.fileName().toUtf8());
    SolveAndPressReport(1);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_FALSE(student->MessageTexts().isEmpty());
    EXPECT_TRUE(student->MessageTexts().last().startsWith("Не удалось создать папку для отчета"));
    EXPECT_EQ(student->MessageCaptions().last(), "Таблитор");
}

TEST_F(ReportOutputTest, ANothingOpensItMessageSaysWhereTheFileLies)
{
    openerWorks = false;
    SolveAndPressReport(1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(opened[0]));
    ASSERT_FALSE(student->MessageTexts().isEmpty());
    EXPECT_TRUE(student->MessageTexts().last().contains(QDir::toNativeSeparators(opened[0])));
}

TEST_F(ReportOutputTest, AnEnglishRunWritesAnEnglishReport)
{
    CTutorApp::PrepareDialogs(Language::English);
    wizard = std::make_unique<CEntryDlg>();
    wizard->show();
    student = std::make_unique<KeyboardStudent>(wizard->GetProblem());
    EnterThreeTableProblem();
    student->onRunEnded = [](CTableDlg& table) { table.ControlAs<QPushButton>(CTableDlg::IDC_REPORT)->click(); };
    StartRun();
    CTutorApp::PrepareDialogs();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QFileInfo(opened[0]).fileName().startsWith("Tablitor ")) << opened[0].toStdString();
    EXPECT_EQ(ReadBack(opened[0]), QString("Solution: Step 0 | Step 1 | Step 2 / *** Ind 9 0 0 3/2 1/2\n"
                                           "Program's solution: Step 0 | Step 1 | Step 2 / ") +
                                       kThreeTableAnswer);
}

TEST(ReportPath, NamesNeverRepeatWithinASecond)
{
    QTemporaryDir folder;
    const QDateTime now(QDate(2026, 12, 7), QTime(14, 5, 9));
    QStringList names;
    for (int report = 0; report < 3; ++report) {
        const QString path = NewReportPath(QDir(folder.path()), now);
        QFile(path).open(QIODevice::WriteOnly);
        names << QFileInfo(path).fileName();
    }
    EXPECT_EQ(names, QStringList({"Таблитор 2026-12-07 14-05-09.xlsx", "Таблитор 2026-12-07 14-05-09 (2).xlsx",
                                  "Таблитор 2026-12-07 14-05-09 (3).xlsx"}));
}

} // namespace
