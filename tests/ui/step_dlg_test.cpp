#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "platform/fonts.h"
#include "platform/up_down.h"
#include "tests/ui/run_fixture.h"
#include "ui/basis_dlg.h"
#include "ui/element_dlg.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/key_dlg.h"
#include "ui/table_dlg.h"

namespace {

const QString kSuccess = QString("Задача успешно решена: ") + kThreeTableAnswer;

CTableDlg& OwnerTable(CStepDlg& dialog) { return *qobject_cast<CTableDlg*>(dialog.parentWidget()); }

// The background of every body cell of the main grid, row by row, from the first equation row
// through the index row: "." the table's own colour, "c" the chosen column, "k" the candidate.
QStringList Highlight(const CTableDlg& table, int rows, int columns)
{
    const CGridCtrl* main = table.MainGrid();
    const COLORREF normal = main->GetCellBackColor(2, 0);
    QStringList lines;
    for (int r = 2; r < 2 + rows; ++r) {
        QString line;
        for (int c = 3; c < 3 + columns; ++c) {
            const COLORREF colour = main->GetCellBackColor(r, c);
            line += colour == normal ? '.' : colour == ChoiceColour ? 'c' : colour == CandidateColour ? 'k' : '?';
        }
        lines << line;
    }
    return lines;
}

class StepDialogTest : public RunFixture {};

// Escape and the close box only ask whether to stop: "Нет" leaves every question open, and
// nothing is counted against the student.
TEST_F(StepDialogTest, EscapeAndTheCloseBoxLeaveEveryQuestionOpen)
{
    EnterThreeTableProblem();
    QStringList kinds;
    student->onQuestion = [&](CStepDlg& dialog) {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
        QCloseEvent closeBox;
        QCoreApplication::sendEvent(&dialog, &closeBox);
        EXPECT_TRUE(dialog.isVisible()) << dialog.metaObject()->className();
        kinds << dialog.metaObject()->className();
    };
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    EXPECT_TRUE(kinds.contains("CBasisDlg"));
    EXPECT_TRUE(kinds.contains("CElementDlg"));
    EXPECT_TRUE(kinds.contains("CKeyDlg"));
    EXPECT_EQ(student->MessageTexts().count("Прервать решение задачи?"), 2 * kinds.size());
    EXPECT_TRUE(tones.empty());
}

// "Да" to stopping, from a question's Escape or from the table window's close box, ends the run
// without success and without a failure: back to the wizard, and "Начать" may start again.
TEST_F(StepDialogTest, StoppingTheRunReturnsToTheWizardUncounted)
{
    for (const bool fromTheTable : {false, true}) {
        SCOPED_TRACE(fromTheTable ? "the table window's close box" : "Escape in the question");
        TearDown();
        SetUp();
        EnterThreeTableProblem();
        int questions = 0;
        student->onQuestion = [&](CStepDlg& dialog) {
            if (++questions != 3)
                return;
            student->stopAnswers = {true};
            if (fromTheTable)
                OwnerTable(dialog).close();
            else
                QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
            EXPECT_FALSE(dialog.isVisible());
        };
        Start();
        EXPECT_EQ(questions, 3) << "nothing asked after the stop";
        EXPECT_EQ(student->MessageTexts(), QStringList{"Прервать решение задачи?"});
        EXPECT_EQ(FindTopLevelWindow("Результаты"), nullptr);
        EXPECT_TRUE(wizard->RunActive());
        EXPECT_TRUE(StartEnabled());
        EXPECT_TRUE(tones.empty());
    }
}

TEST_F(StepDialogTest, KeyColumnDialogStepsWithinTheColumnsAndShowsTheChoiceLive)
{
    EnterThreeTableProblem();
    std::vector<QStringList> seen;
    QFont labelFont;
    QString start;
    bool asked = false;
    student->onQuestion = [&](CStepDlg& dialog) {
        auto* key = qobject_cast<CKeyDlg*>(&dialog);
        if (key == nullptr || asked)
            return;
        asked = true;
        labelFont = key->Control(CKeyDlg::IDC_LABEL)->font();
        start = key->ControlText(CKeyDlg::IDC_NUMBER);
        CTableDlg& table = OwnerTable(dialog);
        QWindow* window = dialog.windowHandle();
        QTest::keyClick(window, Qt::Key_Down); // from 0, the first column is the lowest
        seen.push_back(Highlight(table, 3, 4));
        for (int up = 0; up < 6; ++up)
            QTest::keyClick(window, Qt::Key_Up); // four columns: the arrows stop at the last
        EXPECT_EQ(key->ControlText(CKeyDlg::IDC_NUMBER), "4");
        QTest::mouseClick(key->ControlAs<UpDownControl>(CKeyDlg::IDC_NUMBER_SPIN)->DownArrow(), Qt::LeftButton);
        EXPECT_EQ(key->ControlText(CKeyDlg::IDC_NUMBER), "3");
        seen.push_back(Highlight(table, 3, 4));
        KeyboardStudent::ReplaceFieldText(dialog, "9"); // no such column: nothing is highlighted
        seen.push_back(Highlight(table, 3, 4));
    };
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    EXPECT_EQ(start, "0");
    EXPECT_TRUE(labelFont == MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic));
    EXPECT_EQ(labelFont.weight(), QFont::DemiBold);
    const std::vector<QStringList> expected = {
        {"c...", "c...", "c..."},
        {"..c.", "..c.", "..c."},
        {"....", "....", "...."},
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(StepDialogTest, KeyElementDialogMarksTheCandidateInTheChosenColumn)
{
    EnterThreeTableProblem();
    std::vector<QStringList> seen;
    student->onQuestion = [&](CStepDlg& dialog) {
        auto* key = qobject_cast<CKeyDlg*>(&dialog);
        if (key == nullptr || key->windowTitle() != "Выберите ключевой элемент" || !seen.empty())
            return;
        CTableDlg& table = OwnerTable(dialog);
        seen.push_back(Highlight(table, 3, 4));
        for (int up = 0; up < 4; ++up)
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Up); // two rows
        seen.push_back(Highlight(table, 3, 4));
        KeyboardStudent::ReplaceFieldText(dialog, "1");
        seen.push_back(Highlight(table, 3, 4));
    };
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    // The key column is x2; its index cell keeps the mark of the column question.
    const std::vector<QStringList> expected = {
        {".c..", ".c..", ".c.."},
        {".c..", ".k..", ".c.."},
        {".k..", ".c..", ".c.."},
    };
    EXPECT_EQ(seen, expected);
}

// An empty field names no number: a message, nothing counted, the question stays.
TEST_F(StepDialogTest, EmptyNumberAsksForAnIntegerWithoutCounting)
{
    EnterThreeTableProblem();
    student->keyColumnAnswers = {"", ""};
    student->keyElementAnswers = {""};
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    const QStringList messages = student->MessageTexts();
    EXPECT_EQ(messages.count("Введите целое число."), 3);
    EXPECT_TRUE(tones.empty());
    EXPECT_TRUE(wizard->RunActive());
}

// Each question opens below the table window, so that the table stays in sight.
TEST_F(StepDialogTest, QuestionsOpenBelowTheTable)
{
    EnterThreeTableProblem();
    int below = 0;
    student->onQuestion = [&](CStepDlg& dialog) {
        const QRect table = OwnerTable(dialog).frameGeometry();
        const QRect available = dialog.screen()->availableGeometry();
        EXPECT_TRUE(available.contains(dialog.frameGeometry())) << dialog.metaObject()->className();
        below += dialog.frameGeometry().center().y() > table.center().y();
    };
    StartRun();
    EXPECT_GT(below, 0);
}

} // namespace
