// The dialog tables of the platform layer, tried on the program's own tables: the wizard's, the
// largest, with its grids as custom controls, and the settings dialog's.
#include "platform/control_classes.h"
#include "platform/modal.h"
#include "platform/startup.h"
#include "platform/template_dialog.h"
#include "platform/up_down.h"
#include "ui/entry_dlg.h"
#include "ui/settings_dlg.h"
#include "ui/tutor_app.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;

void PrintTo(const QString& text, std::ostream* out);

namespace {

// Records what the dialog's class would be told.
class RecordingDialog : public TemplateDialog {
public:
    using TemplateDialog::TemplateDialog;

    std::vector<std::string> events;
    bool ignoreCancel = false;
    QPoint placedAt;

protected:
    void OnInitDialog() override
    {
        events.push_back("init");
        placedAt = pos();
        move(pos() + QPoint(0, 300));
    }
    void OnCommand(int id) override { events.push_back("command " + std::to_string(id)); }
    void OnEditChange(int id) override { events.push_back("change " + std::to_string(id)); }
    void OnOK() override
    {
        events.push_back("ok");
        TemplateDialog::OnOK();
    }
    void OnCancel() override
    {
        events.push_back("cancel");
        if (!ignoreCancel)
            TemplateDialog::OnCancel();
    }
};

// What RecordingDialog writes down for a notification about a control or command.
std::string Event(const std::string& what, int id) { return what + " " + std::to_string(id); }

// A radio button of the test's own, with the next free id, starting a group after the dialog's.
constexpr int kOtherGroupRadio = CSettingsDlg::IDC_DECIMAL_FRACTIONS + 1;

// The settings dialog's table with a second group of radio buttons.
const DialogTemplate& SettingsTable()
{
    static const DialogTemplate table = [] {
        DialogTemplate settings = CSettingsDlg::Template();
        settings.controls.push_back(
            {kOtherGroupRadio, ControlKind::RadioButton, 21, 107, 96, 10, "Другая группа", ControlFlag::Group});
        return settings;
    }();
    return table;
}

// Custom controls are plain labels here, named "grid"; the program's own grid class is given
// back afterwards for the tests that follow.
class TemplateDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        PreparePlatform();
        RegisterControlClass(QStringLiteral("TutorGridCtrl"), [](QWidget* parent) {
            auto* grid = new QLabel(parent);
            grid->setObjectName(QStringLiteral("grid"));
            return grid;
        });
    }
    void TearDown() override { CTutorApp::PrepareDialogs(); }
};

}  // namespace

TEST_F(TemplateDialogTest, WizardTableBuildsItsControlsAtTheirPixels)
{
    TemplateDialog wizard(CEntryDlg::Template());

    // Liberation Sans at 11 pixels: 6 pixels per 4 units across, 13 per 8 down.
    EXPECT_EQ(wizard.ClientArea()->size(), QSize(525, 361));
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Таблитор"));
    EXPECT_EQ(wizard.ControlRect(CEntryDlg::IDC_EQUATIONS), QRect(105, 135, 47, 20));
    EXPECT_EQ(wizard.ControlRect(IdCancel), QRect(440, 325, 75, 23));
    EXPECT_EQ(wizard.Control(CEntryDlg::IDC_OBJECTIVE_GRID)->objectName(), QStringLiteral("grid"));
    EXPECT_NE(wizard.ControlAs<UpDownControl>(CEntryDlg::IDC_EQUATIONS_SPIN), nullptr);
    EXPECT_EQ(wizard.Control(4242), nullptr);

    EXPECT_EQ(wizard.ControlText(CEntryDlg::IDC_NEXT), QStringLiteral("Далее >"));
    EXPECT_TRUE(wizard.Control(CEntryDlg::IDC_HEADING)->isHidden());
    EXPECT_FALSE(wizard.Control(CEntryDlg::IDC_INFO)->isHidden());
    EXPECT_TRUE(wizard.ControlAs<QLabel>(CEntryDlg::IDC_INFO)->wordWrap());
    EXPECT_FALSE(wizard.ControlAs<QLabel>(CEntryDlg::IDC_GRID_CAPTION)->wordWrap());
    EXPECT_EQ(wizard.ControlAs<QLabel>(CEntryDlg::IDC_INFO)->alignment(), Qt::AlignHCenter | Qt::AlignTop);
}

TEST_F(TemplateDialogTest, ResizableDialogHasResizedItsClientAreaWhenTold)
{
    class Resizable : public TemplateDialog {
    public:
        using TemplateDialog::TemplateDialog;
        QSize clientOnResize;

    protected:
        void resizeEvent(QResizeEvent* event) override
        {
            TemplateDialog::resizeEvent(event);
            clientOnResize = ClientArea()->size();
        }
    };
    DialogTemplate table = CEntryDlg::Template();
    table.resizable = true;
    Resizable dialog(table);
    EXPECT_EQ(dialog.ClientArea()->size(), QSize(525, 361));
    dialog.show();
    dialog.resize(dialog.size() + QSize(100, 50));
    EXPECT_EQ(dialog.clientOnResize, QSize(625, 411));
}

TEST_F(TemplateDialogTest, SortedListStartsWithNothingChosen)
{
    TemplateDialog wizard(CEntryDlg::Template());
    wizard.AddListItem(CEntryDlg::IDC_SENSE, QStringLiteral("Min"));
    wizard.AddListItem(CEntryDlg::IDC_SENSE, QStringLiteral("Max"));
    auto* list = wizard.ControlAs<QComboBox>(CEntryDlg::IDC_SENSE);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Max"));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(wizard.ControlText(CEntryDlg::IDC_SENSE), QString());

    wizard.SetControlText(CEntryDlg::IDC_SENSE, QStringLiteral("Min"));
    EXPECT_EQ(list->currentIndex(), 1);
    wizard.AddListItem(CEntryDlg::IDC_SENSE, QStringLiteral("Avg"));
    EXPECT_EQ(wizard.ControlText(CEntryDlg::IDC_SENSE), QStringLiteral("Min"));
}

TEST_F(TemplateDialogTest, RadioButtonsFormGroupsFromTheirFirstRow)
{
    TemplateDialog settings(SettingsTable());
    EXPECT_EQ(settings.RadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS), -1);
    settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, 1);
    settings.SetRadioIndex(kOtherGroupRadio, 0);
    EXPECT_EQ(settings.RadioIndex(CSettingsDlg::IDC_DECIMAL_FRACTIONS), 1);
    EXPECT_TRUE(settings.ControlAs<QRadioButton>(kOtherGroupRadio)->isChecked());

    QTest::mouseClick(settings.Control(CSettingsDlg::IDC_COMMON_FRACTIONS), Qt::LeftButton);
    EXPECT_EQ(settings.RadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS), 0);
    EXPECT_TRUE(settings.ControlAs<QRadioButton>(kOtherGroupRadio)->isChecked());
    settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, -1);
    EXPECT_EQ(settings.RadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS), -1);
}

TEST_F(TemplateDialogTest, DigitsOnlyEditRefusesOtherKeys)
{
    TemplateDialog settings(SettingsTable());
    auto* edit = settings.ControlAs<QLineEdit>(CSettingsDlg::IDC_INPUT_WIDTH);
    QTest::keyClicks(edit, "1a-2 3");
    EXPECT_EQ(edit->text(), QStringLiteral("123"));
}

TEST_F(TemplateDialogTest, EditChangesAndButtonsAndMenuReachTheClass)
{
    RecordingDialog wizard(CEntryDlg::Template());
    wizard.ShowControl(CEntryDlg::IDC_EQUATIONS);
    QTest::keyClicks(wizard.Control(CEntryDlg::IDC_EQUATIONS), "1");
    wizard.SetControlText(CEntryDlg::IDC_UNKNOWNS, QStringLiteral("2"));
    QTest::mouseClick(wizard.Control(CEntryDlg::IDC_NEXT), Qt::LeftButton);
    wizard.findChild<QMenuBar*>()->actions().first()->menu()->actions().first()->trigger();

    EXPECT_THAT(wizard.events,
                ElementsAre(Event("change", CEntryDlg::IDC_EQUATIONS), Event("change", CEntryDlg::IDC_UNKNOWNS),
                            Event("command", CEntryDlg::IDC_NEXT), Event("command", CEntryDlg::ID_SETTINGS)));
    EXPECT_EQ(wizard.findChild<QMenuBar*>()->actions().first()->text(), QStringLiteral("Настройки"));
}

TEST_F(TemplateDialogTest, InitialisedOnceAfterPlacement)
{
    RecordingDialog wizard(CEntryDlg::Template());
    wizard.show();
    wizard.hide();
    wizard.show();
    EXPECT_THAT(wizard.events, ElementsAre("init"));
    EXPECT_EQ(wizard.pos(), wizard.placedAt + QPoint(0, 300));
}

TEST_F(TemplateDialogTest, EnterPressesTheDefaultButtonOrOk)
{
    RecordingDialog settings(SettingsTable());
    settings.show();
    settings.ControlAs<QPushButton>(IdOk)->setEnabled(false);
    QTest::keyClick(settings.Control(CSettingsDlg::IDC_INPUT_WIDTH), Qt::Key_Return);
    EXPECT_THAT(settings.events, ElementsAre("init"));
    settings.ControlAs<QPushButton>(IdOk)->setEnabled(true);
    QTest::keyClick(settings.Control(CSettingsDlg::IDC_INPUT_WIDTH), Qt::Key_Return);
    EXPECT_THAT(settings.events, ElementsAre("init", "ok"));
    EXPECT_EQ(settings.result(), IdOk);

    // The wizard has no default button: Enter is OK, and its class decides.
    RecordingDialog wizard(CEntryDlg::Template());
    wizard.show();
    QTest::keyClick(wizard.Control(CEntryDlg::IDC_NEXT), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_THAT(wizard.events, ElementsAre("init", Event("command", CEntryDlg::IDC_NEXT)));
    QTest::keyClick(wizard.Control(CEntryDlg::IDC_INFO), Qt::Key_Return);
    EXPECT_THAT(wizard.events, ElementsAre("init", Event("command", CEntryDlg::IDC_NEXT), "ok"));
}

TEST_F(TemplateDialogTest, EscapeCloseBoxAndCancelButtonAllCancel)
{
    RecordingDialog steps(SettingsTable());
    steps.ignoreCancel = true;
    steps.show();
    QTest::keyClick(&steps, Qt::Key_Escape);
    steps.close();
    QTest::mouseClick(steps.Control(IdCancel), Qt::LeftButton);
    EXPECT_THAT(steps.events, ElementsAre("init", "cancel", "cancel", "cancel"));
    EXPECT_TRUE(steps.isVisible());

    steps.ignoreCancel = false;
    steps.close();
    EXPECT_FALSE(steps.isVisible());
    EXPECT_EQ(steps.result(), IdCancel);
}

TEST_F(TemplateDialogTest, ReadIntegerReportsTextThatIsNoInteger)
{
    std::vector<QString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) {
        messages.push_back(request.text);
        return IdOk;
    });
    TemplateDialog settings(SettingsTable());
    int width = 50;
    settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, QString());
    EXPECT_FALSE(settings.ReadInteger(CSettingsDlg::IDC_INPUT_WIDTH, width));
    EXPECT_EQ(width, 50);
    settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, QStringLiteral("250"));
    EXPECT_TRUE(settings.ReadInteger(CSettingsDlg::IDC_INPUT_WIDTH, width));
    EXPECT_EQ(width, 250);
    EXPECT_THAT(messages, ElementsAre(QStringLiteral("Введите целое число.")));
}
