#include "ui/basis_dlg.h"

#include <QComboBox>

#include "platform/modal.h"

const DialogTemplate& CBasisDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        QT_TRANSLATE_NOOP("Dialogs", "Выбор базиса"), 125, 86, "MS Sans Serif", 8,
        {
            {IDC_NAMES, DropDownList, 7, 43, 48, 182},
            {IDC_PROMPT, Static, 7, 15, 111, 17},
            {IdOk, DefaultButton, 37, 65, 50, 14, "OK"},
        },
    };
    return table;
}

CBasisDlg::CBasisDlg(BasisQuestion& question, QWidget* parent) : CStepDlg(Template(), parent), question(question)
{
}

void CBasisDlg::OnInitDialog()
{
    for (const std::string& name : question.Choices())
        AddListItem(IDC_NAMES, QString::fromStdString(name));
    SetCaption(IDC_NAMES, IDC_PROMPT);
    SetControlText(IDC_PROMPT, QString::fromStdString(question.Prompt()));
    FocusAnswer();
}

void CBasisDlg::OnOK()
{
    std::optional<std::string> selected;
    if (ControlAs<QComboBox>(IDC_NAMES)->currentIndex() >= 0)
        selected = ControlText(IDC_NAMES).toStdString();
    Act(question.Submit(selected));
}

void CBasisDlg::FocusAnswer()
{
    Control(IDC_NAMES)->setFocus();
}
