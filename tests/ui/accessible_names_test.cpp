// Every field and grid of every dialog is called, by a screen reader, what the student reads for
// it: the caption or the label that goes with it.
#include <QAccessible>
#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

#include "tests/ui/run_fixture.h"
#include "ui/settings_dlg.h"

namespace {

using enum CEntryDlg::ControlId;

// What a screen reader calls a field. A list is read by its chosen item; its own name is what it
// is called while nothing is chosen.
QString ReadName(QWidget* field)
{
    if (qobject_cast<QComboBox*>(field) != nullptr)
        return field->accessibleName();
    return QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name);
}

using AccessibleNames = RunFixture;

TEST_F(AccessibleNames, WizardFieldsAreCalledByTheCaptionsOfTheirPage)
{
    // Before its page, the objective grid is called by its caption's first text, not by the
    // text of a page that stands above it.
    EXPECT_EQ(ReadName(wizard->Control(IDC_OBJECTIVE_GRID)), "Введите элементы функции");

    struct Row {
        int page;
        int field;
        QString name;
    };
    const Row rows[] = {
        {4, IDC_EQUATIONS, "Введите количество уравнений канонической системы m "},
        {4, IDC_UNKNOWNS, "Введите общее количество неизвестных (базисных и свободных) n"},
        {5, IDC_GRID, "Обозначения переменных"},
        {5, IDC_DESIGNATION, "Обозначение функции"},
        {6, IDC_GRID, "Введите элементы матрицы"},
        {6, IDC_OBJECTIVE_GRID, "Введите коэффициенты целевой функции"},
        {6, IDC_SENSE, "F(x)"},
    };
    auto checkPage = [&](int page) {
        ASSERT_EQ(wizard->Page(), page);
        for (const Row& row : rows) {
            if (row.page == page) {
                EXPECT_EQ(ReadName(wizard->Control(row.field)), row.name) << "page " << page << ", field " << row.field;
            }
        }
    };
    EnterThreeTableProblem();
    checkPage(6);
    Press(IDC_BACK);
    checkPage(5);
    Press(IDC_BACK);
    checkPage(4);
}

TEST_F(AccessibleNames, SettingsWidthsAreCalledByTheirLabels)
{
    QStringList names;
    ScopedModalResponder settings([&](const ModalRequest& request) {
        auto& dialog = static_cast<CSettingsDlg&>(*request.dialog);
        for (int field : {CSettingsDlg::IDC_INPUT_WIDTH, CSettingsDlg::IDC_OUTPUT_WIDTH})
            names << ReadName(dialog.Control(field));
        return IdCancel;
    });
    for (QAction* action : wizard->findChildren<QAction*>())
        if (action->text() == "Прочие")
            action->trigger();
    EXPECT_EQ(names, QStringList({"Ширина полей ввода", "Ширина полей вывода"}));
}

// Each question's field is called by the label beside it (the basis list, while nothing is
// chosen, by the question); the table window's grids by the table's title and by their caption.
TEST_F(AccessibleNames, RunDialogsCallTheirFieldsByTheirLabels)
{
    EnterThreeTableProblem();
    QStringList names;
    student->onQuestion = [&](CStepDlg& dialog) {
        if (auto* basis = qobject_cast<CBasisDlg*>(&dialog))
            names << ReadName(basis->Control(CBasisDlg::IDC_NAMES));
        else if (auto* element = qobject_cast<CElementDlg*>(&dialog))
            names << ReadName(element->Control(CElementDlg::IDC_VALUE));
        else if (auto* key = qobject_cast<CKeyDlg*>(&dialog))
            names << ReadName(key->Control(CKeyDlg::IDC_NUMBER)) + " / " + key->ControlText(CKeyDlg::IDC_LABEL);
    };
    QStringList gridNames;
    student->onRunEnded = [&](CTableDlg& table) {
        gridNames << ReadName(table.MainGrid()) << ReadName(table.KeyRowGrid());
    };
    EXPECT_EQ(StartRun().status, "Задача успешно решена");
    EXPECT_EQ(names.value(0), "Выберите базисное неизвестное в 1 уравнении");
    EXPECT_TRUE(names.contains("Ind(0)=")) << names.join(", ").toStdString();
    EXPECT_TRUE(names.contains("A(1,1)=")) << names.join(", ").toStdString();
    for (const QString& name : names.filter(" / ")) {
        const QStringList parts = name.split(" / ");
        EXPECT_EQ(parts[0], parts[1]);
        EXPECT_FALSE(parts[0].isEmpty());
    }
    EXPECT_EQ(gridNames, QStringList({"3-я симплексная таблица (F-MAX)", "Ключевая строка новой таблицы"}));
}

} // namespace
