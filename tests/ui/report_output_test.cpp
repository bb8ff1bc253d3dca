#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "tests/ui/run_fixture.h"
#include "ui/report_output.h"
#include "ui/table_dlg.h"

namespace {

// The titles of a written report's blocks and the objective's value in the last one, as a
// spreadsheet reader sees them.
QString ReadBack(const QString& path)
{
    const char* script = "import sys, openpyxl\n"
                         "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                         "titles = [c.value for c in sheet['A'] if c.value and str(c.value).startswith('Шаг')]\n"
                         "print(' | '.join(titles), sheet.cell(row=sheet.max_row, column=3).value)\n";
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
        EXPECT_EQ(end.status, "Задача успешно решена");
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
        EXPECT_EQ(ReadBack(path), "Шаг 0 | Шаг 1 | Шаг 2 9") << path.toStdString();
    }
    EXPECT_TRUE(student->MessageTexts().filter("Отчет").isEmpty());
    // The button names the file of the last report.
    EXPECT_EQ(tips, QStringList({"Отчет записан в файл\n" + QDir::toNativeSeparators(opened[0]),
                                 "Отчет записан в файл\n" + QDir::toNativeSeparators(opened[1])}));
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
