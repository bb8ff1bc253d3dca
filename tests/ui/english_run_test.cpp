// The program in English: a whole run, from the wizard's first page to the program's own
// solution, shows no Russian text anywhere; only the student's own names could be Russian, and
// this student's are not.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "tests/ui/run_fixture.h"
#include "ui/settings_store.h"

namespace {

// Every text a window shows or tells a screen reader: its title, labels, buttons, frames, lists,
// fields, menus and every cell of its grids.
QStringList TextsOf(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        texts << widget->accessibleName() << widget->accessibleDescription();
        if (auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        if (auto* frame = qobject_cast<const QGroupBox*>(widget))
            texts << frame->title();
        if (auto* edit = qobject_cast<const QLineEdit*>(widget))
            texts << edit->text();
        if (auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int item = 0; item < list->count(); ++item)
                texts << list->itemText(item);
        }
        if (auto* grid = qobject_cast<const CGridCtrl*>(widget)) {
            for (int row = 0; row < grid->GetRowCount(); ++row) {
                for (int column = 0; column < grid->GetColumnCount(); ++column)
                    texts << grid->GetCellText(row, column);
            }
        }
    }
    for (const QAction* action : window.findChildren<QAction*>())
        texts << action->text();
    return texts;
}

// The settings name each language by its own name.
QStringList Russian(const QStringList& texts)
{
    static const QRegularExpression cyrillic("[\\x{0400}-\\x{04FF}]");
    QStringList russian;
    for (const QString& text : texts) {
        if (text.contains(cyrillic) && text != "Русский")
            russian << text;
    }
    return russian;
}

class EnglishRun : public RunFixture {
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        CTutorApp::PrepareDialogs(Language::English);
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
        student = std::make_unique<KeyboardStudent>(wizard->GetProblem());
    }
    void TearDown() override
    {
        RunFixture::TearDown();
        CTutorApp::PrepareDialogs();
    }
};

TEST_F(EnglishRun, EveryWindowOfAWholeRunIsEnglish)
{
    QStringList seen;
    ScopedModalResponder watch([&](const ModalRequest& request) {
        seen << TextsOf(*request.dialog);
        return student->Answer(request);
    });
    for (int page = 1; page <= 3; ++page) {
        seen << TextsOf(*wizard);
        Press(CEntryDlg::IDC_NEXT);
    }
    wizard->SetControlText(CEntryDlg::IDC_EQUATIONS, "0");
    Press(CEntryDlg::IDC_NEXT);
    EnterThreeTableProblem();
    seen << TextsOf(*wizard);

    // A wrong value first: its message explains the rule.
    student->indexRowAnswers = {"1"};
    student->onQuestion = [&](CStepDlg& dialog) { seen << TextsOf(dialog); };
    student->onOtherDialog = [&](QDialog& solution) {
        seen << TextsOf(solution);
        return IdCancel;
    };
    student->onRunEnded = [&](CTableDlg& table) {
        seen << TextsOf(table);
        table.ControlAs<QPushButton>(CTableDlg::IDC_SOLUTION)->click();
    };
    EXPECT_EQ(StartRun().status, QString("The problem is solved: ") + kThreeTableAnswer);
    for (QAction* action : wizard->findChildren<QAction*>())
        if (action->text() == "Other")
            action->trigger();

    const QStringList messages = student->MessageTexts();
    EXPECT_TRUE(messages.contains("Enter allowed values"));
    EXPECT_TRUE(messages.filter("Here C(j) is the coefficient").size() == 1) << messages.join("\n").toStdString();
    EXPECT_TRUE(seen.contains("Other settings") && seen.contains("Program's solution"));
    EXPECT_TRUE(seen.contains("&Yes") && seen.contains("&No")) << "Qt's own buttons";
    EXPECT_EQ(Russian(seen + messages + student->MessageCaptions()).join("\n").toStdString(), "");
}

// Inequalities: the conversion's message, the artificial basis and the index row's parts at M.
TEST_F(EnglishRun, AGeneralProblemIsConvertedAndSolvedInEnglish)
{
    wizard->Settings().generalProblems = true;
    EnterProblem({{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}}, {"0", "3", "2"});
    QStringList seen = TextsOf(*wizard);
    student->onQuestion = [&](CStepDlg& dialog) { seen << TextsOf(dialog); };
    student->onRunEnded = [&](CTableDlg& table) { seen << TextsOf(table); };
    EXPECT_EQ(StartRun().status, "The problem is solved: x1 = 0, x2 = 10; F = 20");
    ASSERT_FALSE(student->shown.empty());
    EXPECT_EQ(student->shown.front().caption, "Conversion to canonical form");
    EXPECT_TRUE(student->shown.front().text.contains("artificial variable y1 added with cost -M"));
    EXPECT_TRUE(student->shown.front().text.contains("big-M method"));
    EXPECT_EQ(Russian(seen + student->MessageTexts()).join("\n").toStdString(), "");
}

TEST_F(EnglishRun, TheLanguageOfTheNextStartIsChosenInTheSettings)
{
    QString note;
    int chosen = -1;
    ScopedModalResponder choose([&](const ModalRequest& request) {
        auto& settings = static_cast<CSettingsDlg&>(*request.dialog);
        EXPECT_EQ(settings.ControlText(CSettingsDlg::IDC_LANGUAGE), "English");
        note = settings.ControlText(CSettingsDlg::IDC_LANGUAGE_NOTE);
        if (chosen >= 0)
            settings.ControlAs<QComboBox>(CSettingsDlg::IDC_LANGUAGE)->setCurrentIndex(chosen);
        settings.ControlAs<QPushButton>(IdOk)->click();
        return IdOk;
    });
    auto openSettings = [this] {
        for (QAction* action : wizard->findChildren<QAction*>())
            if (action->text() == "Other")
                action->trigger();
    };
    // Left as it was, the language is not pinned: the next start follows the system's.
    openSettings();
    EXPECT_EQ(note, "The language changes at the next start of the program.");
    EXPECT_EQ(LoadSettings().language, std::nullopt);
    chosen = 0;
    openSettings();
    EXPECT_EQ(LoadSettings().language, Language::Russian);
    // This start stays English; the next one takes the choice unless the command line says otherwise.
    EXPECT_EQ(wizard->windowTitle(), "Tablitor");
    EXPECT_EQ(LanguageOfStart(std::nullopt, LoadSettings().language), Language::Russian);
    EXPECT_EQ(LanguageOfStart(Language::English, LoadSettings().language), Language::English);
}

TEST(SystemLanguage, RussianForRussianOrNoLocaleEnglishForAnyOther)
{
    for (const char* russian : {"ru_RU.UTF-8", "ru", "C", "C.UTF-8", "POSIX", ""})
        EXPECT_EQ(LanguageOfLocale(russian), Language::Russian) << russian;
    for (const char* other : {"en_US.UTF-8", "de_DE", "uk_UA.UTF-8", "fr"})
        EXPECT_EQ(LanguageOfLocale(other), Language::English) << other;
    EXPECT_EQ(LanguageNamed("en"), Language::English);
    EXPECT_EQ(LanguageNamed("ru"), Language::Russian);
    EXPECT_EQ(LanguageNamed("de"), std::nullopt);
}

} // namespace
