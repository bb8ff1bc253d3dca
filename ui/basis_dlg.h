#pragma once

#include "ui/step_dlg.h"

// "Выбор базиса": which unknown is basic in an equation, chosen from the list of names.
class CBasisDlg : public CStepDlg {
    Q_OBJECT

public:
    enum ControlId : int { IDC_NAMES = 1037, IDC_PROMPT = 1038 };

    CBasisDlg(BasisQuestion& question, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void FocusAnswer() override;

private:
    BasisQuestion& question;
};
