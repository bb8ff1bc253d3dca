#include "ui/element_dlg.h"

#include <QLineEdit>

#include "platform/modal.h"

const DialogTemplate& CElementDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        QT_TRANSLATE_NOOP("Dialogs", "Ввод данных"), 253, 81, "MS Sans Serif", 8,
        {
            {IDC_VALUE, Edit, 59, 36, 187, 12},
            {IDC_PROMPT, Static, 7, 7, 239, 23},
            // As wide as the room before the field, so that "A(12,34)=" shows whole.
            {IDC_LABEL, Static, 7, 38, 50, 8},
            {IdOk, DefaultButton, 101, 60, 50, 14, "OK"},
        },
    };
    return table;
}

CElementDlg::CElementDlg(ElementQuestion& question, QWidget* parent)
    : CStepDlg(Template(), parent), question(question)
{
}

void CElementDlg::OnInitDialog()
{
    SetControlText(IDC_PROMPT, QString::fromStdString(question.Prompt()));
    SetCaption(IDC_VALUE, IDC_LABEL);
    SetControlText(IDC_LABEL, QString::fromStdString(question.Label()));
    FocusAnswer();
}

void CElementDlg::OnOK()
{
    Act(question.Submit(ControlText(IDC_VALUE).toStdString()));
}

void CElementDlg::FocusAnswer()
{
    auto* value = ControlAs<QLineEdit>(IDC_VALUE);
    value->setFocus();
    value->selectAll();
}
