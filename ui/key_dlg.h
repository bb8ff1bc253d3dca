#pragma once

#include <QFont>

#include "ui/step_dlg.h"

// The key column or the key element, chosen by number. While the number changes, the table
// shows the choice: the column, or the candidate element in the chosen column.
class CKeyDlg : public CStepDlg {
    Q_OBJECT

public:
    enum ControlId : int { IDC_LABEL = 1045, IDC_NUMBER = 1049, IDC_NUMBER_SPIN = 1050 };

    CKeyDlg(KeyQuestion& question, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnEditChange(int id) override;
    void OnOK() override;
    void FocusAnswer() override;

private:
    KeyQuestion& question;
    QFont labelFont;
};
