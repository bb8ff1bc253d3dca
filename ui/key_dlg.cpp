#include "ui/key_dlg.h"

#include <QLineEdit>

#include "platform/fonts.h"
#include "platform/integer_text.h"
#include "platform/modal.h"
#include "platform/up_down.h"

const DialogTemplate& CKeyDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        "", 195, 58, "MS Sans Serif", 8,
        {
            {IDC_NUMBER, Edit, 149, 15, 29, 12, "", DigitsOnly},
            {IDC_NUMBER_SPIN, UpDown, 177, 14, 11, 14, "", AutoBuddy},
            // Room for "Строка ключевого элемента" in the label font.
            {IDC_LABEL, Static, 7, 16, 134, 13},
            {IdOk, DefaultButton, 72, 37, 50, 14, "OK"},
        },
    };
    return table;
}

CKeyDlg::CKeyDlg(KeyQuestion& question, QWidget* parent) : CStepDlg(Template(), parent), question(question)
{
    setWindowTitle(QString::fromStdString(question.Caption()));
}

// The field starts at 0, which names nothing. Writing it is the first change of the field: the
// table shows that nothing is chosen yet (in element mode, the column the element is chosen
// from), and the arrows step through the numbers that name a column or a row.
void CKeyDlg::OnInitDialog()
{
    labelFont = MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic);
    Control(IDC_LABEL)->setFont(labelFont);
    SetCaption(IDC_NUMBER, IDC_LABEL);
    SetControlText(IDC_LABEL, QString::fromStdString(question.Label()));
    ControlAs<UpDownControl>(IDC_NUMBER_SPIN)->SetPosition(0);
    FocusAnswer();
}

// An empty field names nothing yet: the table keeps the last choice until a number is typed.
void CKeyDlg::OnEditChange(int id)
{
    if (id != IDC_NUMBER)
        return;
    ControlAs<UpDownControl>(IDC_NUMBER_SPIN)->SetRange(1, question.RangeMax());
    if (const std::optional<int> number = ParseInteger(ControlText(IDC_NUMBER)))
        question.OnNumberChanged(*number);
}

void CKeyDlg::OnOK()
{
    Act(question.Submit(ParseInteger(ControlText(IDC_NUMBER))));
}

void CKeyDlg::FocusAnswer()
{
    auto* number = ControlAs<QLineEdit>(IDC_NUMBER);
    number->setFocus();
    number->selectAll();
}
