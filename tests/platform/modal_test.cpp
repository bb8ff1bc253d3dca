#include "platform/modal.h"
#include "platform/startup.h"
#include "platform/template_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

void PrintTo(const QString& text, std::ostream* out);

namespace {

const DialogTemplate& QuestionTable()
{
    using enum ControlKind;
    static const DialogTemplate table{
        "Выбор базиса", 125, 86, "MS Sans Serif", 8,
        {{NoId, Static, 7, 15, 111, 17, "Выберите базисное неизвестное"}, {IdOk, DefaultButton, 37, 65, 50, 14, "OK"}},
    };
    return table;
}

// Asks its question again on OK until the second try, then closes: a dialog with a message box
// of its own.
class RetryDialog : public TemplateDialog {
public:
    RetryDialog() : TemplateDialog(QuestionTable()) {}
    int attempt = 1;

protected:
    void OnOK() override
    {
        if (attempt++ == 1)
            MessageBox(QStringLiteral("Выберите базисное неизвестное"), QStringLiteral("Ошибка ввода"),
                       MessageBoxIcon::Exclamation);
        else
            TemplateDialog::OnOK();
    }
    void OnCancel() override {}
};

QString ButtonText(QMessageBox& box, QMessageBox::StandardButton button)
{
    return box.button(button)->text().remove(QLatin1Char('&'));
}

class ModalTest : public testing::Test {
protected:
    void SetUp() override { PreparePlatform(); }
};

}  // namespace

TEST_F(ModalTest, ResponderAnswersAMessageBoxAndSeesWhatItAsks)
{
    std::vector<ModalRequest> requests;
    ScopedModalResponder responder([&](const ModalRequest& request) {
        requests.push_back(request);
        EXPECT_TRUE(request.dialog->isVisible());
        return IdNo;
    });
    const int answer = MessageBox(QStringLiteral("Вы хотите строить следующую таблицу?"), QStringLiteral("Таблитор"),
                                  MessageBoxIcon::Question, MessageBoxButtons::YesNo);
    EXPECT_EQ(answer, IdNo);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, ModalKind::MessageBox);
    EXPECT_EQ(requests[0].text, QStringLiteral("Вы хотите строить следующую таблицу?"));
    EXPECT_EQ(requests[0].caption, QStringLiteral("Таблитор"));
    EXPECT_EQ(requests[0].icon, MessageBoxIcon::Question);
    EXPECT_EQ(requests[0].buttons, MessageBoxButtons::YesNo);
}

TEST_F(ModalTest, StandardButtonsReadInRussian)
{
    ScopedModalResponder responder([](const ModalRequest& request) {
        auto& box = static_cast<QMessageBox&>(*request.dialog);
        if (request.buttons == MessageBoxButtons::YesNo) {
            EXPECT_EQ(ButtonText(box, QMessageBox::Yes), QStringLiteral("Да"));
            EXPECT_EQ(ButtonText(box, QMessageBox::No), QStringLiteral("Нет"));
            EXPECT_EQ(box.icon(), QMessageBox::Question);
        } else {
            EXPECT_EQ(ButtonText(box, QMessageBox::Ok), QStringLiteral("OK"));
            EXPECT_EQ(ButtonText(box, QMessageBox::Cancel), QStringLiteral("Отмена"));
            EXPECT_EQ(box.icon(), QMessageBox::Warning);
        }
        return IdOk;
    });
    MessageBox(QStringLiteral("?"), QStringLiteral("Таблитор"), MessageBoxIcon::Question, MessageBoxButtons::YesNo);
    MessageBox(QStringLiteral("!"), QStringLiteral("Ошибка"), MessageBoxIcon::Exclamation, MessageBoxButtons::OkCancel);
}

TEST_F(ModalTest, YesNoBoxIgnoresEscapeAndTheCloseBox)
{
    ScopedModalResponder responder([](const ModalRequest& request) {
        QTest::keyClick(request.dialog, Qt::Key_Escape);
        request.dialog->close();
        EXPECT_TRUE(request.dialog->isVisible());
        QTest::mouseClick(static_cast<QMessageBox*>(request.dialog)->button(QMessageBox::Yes), Qt::LeftButton);
        EXPECT_FALSE(request.dialog->isVisible());
        return IdYes;
    });
    EXPECT_EQ(MessageBox(QStringLiteral("?"), QString(), MessageBoxIcon::Question, MessageBoxButtons::YesNo), IdYes);
}

TEST_F(ModalTest, MessageBoxFromADialogReachesTheResponderInsideItsAnswer)
{
    std::vector<QString> asked;
    QWidget* messageOwner = nullptr;
    ScopedModalResponder responder([&](const ModalRequest& request) {
        asked.push_back(request.caption);
        if (request.kind == ModalKind::MessageBox) {
            messageOwner = request.dialog->parentWidget();
            return IdOk;
        }
        QPushButton* ok = static_cast<TemplateDialog*>(request.dialog)->ControlAs<QPushButton>(IdOk);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(request.dialog->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        return request.dialog->result();
    });
    RetryDialog dialog;
    EXPECT_EQ(RunModal(dialog), IdOk);
    EXPECT_THAT(asked, testing::ElementsAre(QStringLiteral("Выбор базиса"), QStringLiteral("Ошибка ввода")));
    EXPECT_EQ(messageOwner, &dialog);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ModalTest, DialogLeftOpenByTheResponderClosesWithItsAnswer)
{
    ScopedModalResponder responder([](const ModalRequest&) { return 0; });
    RetryDialog dialog;
    EXPECT_EQ(RunModal(dialog), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(ModalTest, WithoutResponderTheUserAnswers)
{
    // The user, played by a timer; a second timer ends any modal loop a failure leaves open.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::No)->click();
    });
    QTimer::singleShot(5000, [] {
        while (QWidget* open = QApplication::activeModalWidget())
            open->hide();
    });
    EXPECT_EQ(MessageBox(QStringLiteral("?"), QString(), MessageBoxIcon::Question, MessageBoxButtons::YesNo), IdNo);
}
