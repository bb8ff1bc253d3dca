#include "platform/modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>

#include <utility>

namespace {

ModalResponder& Responder()
{
    static ModalResponder responder;
    return responder;
}

int Respond(const ModalRequest& request, bool modal = true)
{
    // A copy, so that an answer may replace the responder while it runs.
    const ModalResponder responder = Responder();
    QDialog& dialog = *request.dialog;
    const bool wasShowModal = dialog.testAttribute(Qt::WA_ShowModal);
    dialog.setAttribute(Qt::WA_ShowModal, modal);
    dialog.setResult(0);
    dialog.show();
    const int answer = responder(request);
    if (dialog.isVisible())
        dialog.done(answer);
    dialog.setAttribute(Qt::WA_ShowModal, wasShowModal);
    return answer;
}

// A message box that, given Yes and No only, does not let Escape or the close box pick one.
class QuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    bool answerRequired = false;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (answerRequired && event->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (answerRequired) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

QMessageBox::Icon ToQtIcon(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Exclamation: return QMessageBox::Warning;
    case MessageBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

int ToAnswer(const QMessageBox& box, MessageBoxButtons buttons)
{
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return IdOk;
    case QMessageBox::Cancel: return IdCancel;
    case QMessageBox::Yes: return IdYes;
    case QMessageBox::No: return IdNo;
    default: break;
    }
    return buttons == MessageBoxButtons::Ok ? IdOk : IdCancel;
}

}  // namespace

ModalResponder SetModalResponder(ModalResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}

ScopedModalResponder::ScopedModalResponder(ModalResponder responder)
    : previous(SetModalResponder(std::move(responder)))
{
}

ScopedModalResponder::~ScopedModalResponder()
{
    SetModalResponder(std::move(previous));
}

int RunModal(QDialog& dialog)
{
    if (!Responder())
        return dialog.exec();
    return Respond({ModalKind::Dialog, &dialog, dialog.windowTitle()});
}

int RunOverParent(QDialog& dialog)
{
    if (Responder())
        return Respond({ModalKind::Dialog, &dialog, dialog.windowTitle()}, false);
    dialog.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    // The question takes the keyboard, as a modal one does; a desktop without a window manager
    // would not give it.
    dialog.activateWindow();
    loop.exec(QEventLoop::DialogExec);
    return dialog.result();
}

int MessageBox(const QString& text, const QString& caption, MessageBoxIcon icon, MessageBoxButtons buttons,
               QWidget* owner)
{
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    if (owner == nullptr)
        owner = QApplication::activeWindow();
    QuestionBox box(ToQtIcon(icon), caption, text, ToQtButtons(buttons), owner);
    box.setTextFormat(Qt::PlainText);
    box.answerRequired = buttons == MessageBoxButtons::YesNo;
    box.setDefaultButton(buttons == MessageBoxButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (Responder())
        return Respond({ModalKind::MessageBox, &box, caption, text, icon, buttons});
    box.exec();
    return ToAnswer(box, buttons);
}
