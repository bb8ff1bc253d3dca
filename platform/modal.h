#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// What a modal dialog or message box ends with, and the ids of the buttons that end it so.
constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;

enum class MessageBoxIcon { None, Information, Question, Exclamation };
enum class MessageBoxButtons { Ok, OkCancel, YesNo };
enum class ModalKind { Dialog, MessageBox };

// One modal question as a responder sees it. The dialog (for a message box: the message box)
// is on screen when the responder is asked, so an answer may act on its real widgets.
struct ModalRequest {
    ModalKind kind = ModalKind::Dialog;
    QDialog* dialog = nullptr;
    QString caption = {};
    // Message boxes only:
    QString text = {};
    MessageBoxIcon icon = MessageBoxIcon::None;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
};

// Answers modal questions synchronously in place of the user: returns what RunModal or
// MessageBox is to return (for a dialog that closed itself, usually request.dialog->result()).
// A dialog still open after the answer is closed with it. Responders may be asked again from
// inside an answer, when the dialog they act on opens a modal question of its own.
using ModalResponder = std::function<int(const ModalRequest&)>;

// Installs a responder (an empty one restores the user's own answers) and returns the one before.
ModalResponder SetModalResponder(ModalResponder responder);

// A responder for the life of a scope, the one before restored at its end.
class ScopedModalResponder {
public:
    explicit ScopedModalResponder(ModalResponder responder);
    ~ScopedModalResponder();
    ScopedModalResponder(const ScopedModalResponder&) = delete;
    ScopedModalResponder& operator=(const ScopedModalResponder&) = delete;

private:
    ModalResponder previous;
};

// Every modal dialog of the program runs through here: the dialog's result.
int RunModal(QDialog& dialog);

// A dialog that waits for its answer as RunModal does, but leaves the window it stands over in use:
// a question over a table that the student may still scroll. The other windows stay blocked as
// that window blocks them. Answered by the same responders as RunModal.
int RunOverParent(QDialog& dialog);

// Every message box of the program runs through here: IdOk, IdCancel, IdYes or IdNo. A Yes/No
// box can be left only through one of its buttons; Escape and the close box answer an OK box
// with IdOk and an OK/Cancel box with IdCancel. The box stands over `owner`, by default over the
// modal window in front, or, given a window to stand below, just under that window and centred on
// it, as far as the screen allows, so that it hides nothing the question is about.
int MessageBox(const QString& text, const QString& caption, MessageBoxIcon icon = MessageBoxIcon::None,
               MessageBoxButtons buttons = MessageBoxButtons::Ok, QWidget* owner = nullptr,
               const QWidget* standBelow = nullptr);
