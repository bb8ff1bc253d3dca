#pragma once

#include "ui/step_dlg.h"

// "Ввод данных": the value of one table element, typed as a number, a fraction or an expression.
class CElementDlg : public CStepDlg {
    Q_OBJECT

public:
    enum ControlId : int { IDC_VALUE = 1039, IDC_LABEL = 1040, IDC_PROMPT = 1041 };

    CElementDlg(ElementQuestion& question, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void FocusAnswer() override;

private:
    ElementQuestion& question;
};
