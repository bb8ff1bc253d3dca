#pragma once

#include "platform/template_dialog.h"

// The display settings of the program: they start with the defaults at every start and live as
// long as the wizard.
struct DisplaySettings {
    int inputWidth = 50;  // data columns of the wizard's grids, pixels
    int outputWidth = 50; // columns of the table window's grids, pixels
    int displayMode = 0;  // 0 common fractions, 1 decimal fractions
};

// "Прочие настройки": the two column widths and the display mode. OK takes the values over,
// "Отмена" leaves them as they were.
class CSettingsDlg : public TemplateDialog {
    Q_OBJECT

public:
    explicit CSettingsDlg(DisplaySettings& settings, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    DisplaySettings& settings;
};
