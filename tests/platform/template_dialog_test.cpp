#include "entry_table.h"

#include "platform/control_classes.h"
#include "platform/modal.h"
#include "platform/startup.h"
#include "platform/template_dialog.h"
#include "platform/up_down.h"

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

const DialogTemplate& SettingsTable()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        "Прочие настройки", 150, 145, "MS Sans Serif", 8,
        {
            {NoId, Static, 13, 17, 71, 8, "Ширина полей ввода"},
            {1014, Edit, 99, 15, 27, 12, "", DigitsOnly},
            {1016, UpDown, 126, 14, 11, 14, "", AutoBuddy},
            {NoId, GroupBox, 7, 61, 136, 56, "Режим отображения"},
            {1018, RadioButton, 21, 76, 97, 10, "Обыкновенные дроби", Group},
            {1019, RadioButton, 21, 97, 96, 10, "Десятичные дроби"},
            {1020, RadioButton, 21, 107, 96, 10, "Другая группа", Group},
            {1, DefaultButton, 18, 124, 50, 14, "OK"},
            {2, Button, 82, 124, 50, 14, "Отмена"},
        },
    };
    return table;
}

class TemplateDialogTest : public testing::Test {
protected:
    void SetUp() override { PreparePlatform(); }
};

}  // namespace

TEST_F(TemplateDialogTest, WizardTableBuildsItsControlsAtTheirPixels)
{
    RegisterControlClass(QStringLiteral("TutorGridCtrl"), [](QWidget* parent) {
        auto* grid = new QLabel(parent);
        grid->setObjectName(QStringLiteral("grid"));
        return grid;
    });
    TemplateDialog wizard(EntryTable());

    // Liberation Sans at 11 pixels: 6 pixels per 4 units across, 13 per 8 down.
    EXPECT_EQ(wizard.ClientArea()->size(), QSize(525, 361));
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Таблитор"));
    EXPECT_EQ(wizard.ControlRect(1005), QRect(105, 135, 47, 20));
    EXPECT_EQ(wizard.ControlRect(2), QRect(440, 325, 75, 23));
    EXPECT_EQ(wizard.Control(1002)->objectName(), QStringLiteral("grid"));
    EXPECT_NE(wizard.ControlAs<UpDownControl>(1007), nullptr);
    EXPECT_EQ(wizard.Control(4242), nullptr);

    EXPECT_EQ(wizard.ControlText(1031), QStringLiteral("Далее >"));
    EXPECT_TRUE(wizard.Control(1034)->isHidden());
    EXPECT_FALSE(wizard.Control(1033)->isHidden());
    EXPECT_TRUE(wizard.ControlAs<QLabel>(1033)->wordWrap());
    EXPECT_FALSE(wizard.ControlAs<QLabel>(1009)->wordWrap());
    EXPECT_EQ(wizard.ControlAs<QLabel>(1033)->alignment(), Qt::AlignHCenter | Qt::AlignTop);
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
    DialogTemplate table = EntryTable();
    table.resizable = true;
    Resizable dialog(table);
    EXPECT_EQ(dialog.ClientArea()->size(), QSize(525, 361));
    dialog.show();
    dialog.resize(dialog.size() + QSize(100, 50));
    EXPECT_EQ(dialog.clientOnResize, QSize(625, 411));
}

TEST_F(TemplateDialogTest, SortedListStartsWithNothingChosen)
{
    TemplateDialog wizard(EntryTable());
    wizard.AddListItem(1003, QStringLiteral("Min"));
    wizard.AddListItem(1003, QStringLiteral("Max"));
    auto* list = wizard.ControlAs<QComboBox>(1003);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Max"));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(wizard.ControlText(1003), QString());

    wizard.SetControlText(1003, QStringLiteral("Min"));
    EXPECT_EQ(list->currentIndex(), 1);
    wizard.AddListItem(1003, QStringLiteral("Avg"));
    EXPECT_EQ(wizard.ControlText(1003), QStringLiteral("Min"));
}

TEST_F(TemplateDialogTest, RadioButtonsFormGroupsFromTheirFirstRow)
{
    TemplateDialog settings(SettingsTable());
    EXPECT_EQ(settings.RadioIndex(1018), -1);
    settings.SetRadioIndex(1018, 1);
    settings.SetRadioIndex(1020, 0);
    EXPECT_EQ(settings.RadioIndex(1019), 1);
    EXPECT_TRUE(settings.ControlAs<QRadioButton>(1020)->isChecked());

    QTest::mouseClick(settings.Control(1018), Qt::LeftButton);
    EXPECT_EQ(settings.RadioIndex(1018), 0);
    EXPECT_TRUE(settings.ControlAs<QRadioButton>(1020)->isChecked());
    settings.SetRadioIndex(1018, -1);
    EXPECT_EQ(settings.RadioIndex(1018), -1);
}

TEST_F(TemplateDialogTest, DigitsOnlyEditRefusesOtherKeys)
{
    TemplateDialog settings(SettingsTable());
    auto* edit = settings.ControlAs<QLineEdit>(1014);
    QTest::keyClicks(edit, "1a-2 3");
    EXPECT_EQ(edit->text(), QStringLiteral("123"));
}

TEST_F(TemplateDialogTest, EditChangesAndButtonsAndMenuReachTheClass)
{
    RecordingDialog wizard(EntryTable());
    wizard.ShowControl(1005);
    QTest::keyClicks(wizard.Control(1005), "1");
    wizard.SetControlText(1006, QStringLiteral("2"));
    QTest::mouseClick(wizard.Control(1031), Qt::LeftButton);
    wizard.findChild<QMenuBar*>()->actions().first()->menu()->actions().first()->trigger();

    EXPECT_THAT(wizard.events, ElementsAre("change 1005", "change 1006", "command 1031", "command 32773"));
    EXPECT_EQ(wizard.findChild<QMenuBar*>()->actions().first()->text(), QStringLiteral("Настройки"));
}

TEST_F(TemplateDialogTest, InitialisedOnceAfterPlacement)
{
    RecordingDialog wizard(EntryTable());
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
    settings.ControlAs<QPushButton>(1)->setEnabled(false);
    QTest::keyClick(settings.Control(1014), Qt::Key_Return);
    EXPECT_THAT(settings.events, ElementsAre("init"));
    settings.ControlAs<QPushButton>(1)->setEnabled(true);
    QTest::keyClick(settings.Control(1014), Qt::Key_Return);
    EXPECT_THAT(settings.events, ElementsAre("init", "ok"));
    EXPECT_EQ(settings.result(), IdOk);

    // The wizard has no default button: Enter is OK, and its class decides.
    RecordingDialog wizard(EntryTable());
    wizard.show();
    QTest::keyClick(wizard.Control(1031), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_THAT(wizard.events, ElementsAre("init", "command 1031"));
    QTest::keyClick(wizard.Control(1033), Qt::Key_Return);
    EXPECT_THAT(wizard.events, ElementsAre("init", "command 1031", "ok"));
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
    settings.SetControlText(1014, QString());
    EXPECT_FALSE(settings.ReadInteger(1014, width));
    EXPECT_EQ(width, 50);
    settings.SetControlText(1014, QStringLiteral("250"));
    EXPECT_TRUE(settings.ReadInteger(1014, width));
    EXPECT_EQ(width, 250);
    EXPECT_THAT(messages, ElementsAre(QStringLiteral("Введите целое число.")));
}
