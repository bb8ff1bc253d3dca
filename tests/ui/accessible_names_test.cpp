// Every field and grid of every dialog is called, by a screen reader, what the student reads for
// it: the text of a label shown beside it.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "tests/ui/run_fixture.h"

namespace {

// The accessible names of the dialog's shown fields (a list is read by its chosen item, so its
// name is what it is called while nothing is chosen) that no shown label of the dialog reads.
QStringList NamesWithoutALabel(const QWidget& dialog)
{
    QStringList labels, unlabelled;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->isVisibleTo(&dialog))
            labels << label->text();
    for (QWidget* field : dialog.findChildren<QWidget*>()) {
        const bool isField = qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field)
                             || qobject_cast<CGridCtrl*>(field);
        if (isField && field->isVisibleTo(&dialog) && !labels.contains(field->accessibleName()))
            unlabelled << QString(field->metaObject()->className()) + " '" + field->accessibleName() + "'";
    }
    return unlabelled;
}

using AccessibleNames = RunFixture;

TEST_F(AccessibleNames, EveryFieldOfEveryDialogIsCalledByItsLabel)
{
    for (int page = 1; page <= 5; ++page) {
        EXPECT_EQ(NamesWithoutALabel(*wizard), QStringList()) << "page " << page;
        Press(page < 5 ? CEntryDlg::IDC_NEXT : CEntryDlg::IDC_BACK);
    }
    for (int page = 4; page > 1; --page)
        Press(CEntryDlg::IDC_BACK);
    EnterThreeTableProblem();
    EXPECT_EQ(NamesWithoutALabel(*wizard), QStringList());
    EXPECT_EQ(WizardGrid(CEntryDlg::IDC_OBJECTIVE_GRID)->accessibleName(), "Введите коэффициенты целевой функции");

    student->onQuestion = [](CStepDlg& dialog) { EXPECT_EQ(NamesWithoutALabel(dialog), QStringList()); };
    student->onRunEnded = [](CTableDlg& table) {
        EXPECT_EQ(NamesWithoutALabel(table), QStringList());
        EXPECT_EQ(table.MainGrid()->accessibleName(), table.ControlText(CTableDlg::IDC_TITLE));
    };
    EXPECT_EQ(StartRun().status, QString("Задача успешно решена: ") + kThreeTableAnswer);
    QStringList settings;
    ScopedModalResponder answer([&settings](const ModalRequest& request) {
        settings = NamesWithoutALabel(*request.dialog) << request.caption;
        return IdCancel;
    });
    for (QAction* action : wizard->findChildren<QAction*>())
        if (action->text() == "Прочие")
            action->trigger();
    EXPECT_EQ(settings, QStringList({"Прочие настройки"}));
}

} // namespace
