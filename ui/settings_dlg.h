#pragma once

#include "core/number_text.h"
#include "platform/template_dialog.h"

// The display settings of the program: they start with the defaults at every start and live as
// long as the wizard.
struct DisplaySettings {
    int inputWidth = 50;  // data columns of the wizard's grids, pixels
    int outputWidth = 50; // columns of the table window's grids, pixels
    DisplayMode displayMode = DisplayMode::CommonFractions; // of the table window's values
};

// "Прочие настройки": the two column widths (10 to 100 pixels) and the display mode. OK takes the
// values over, "Отмена" leaves them as they were.
class CSettingsDlg : public TemplateDialog {
    Q_OBJECT

public:
    enum ControlId : int {
        IDC_INPUT_WIDTH_LABEL = 1012,
        IDC_OUTPUT_WIDTH_LABEL = 1013,
        IDC_INPUT_WIDTH = 1014,
        IDC_OUTPUT_WIDTH = 1015,
        IDC_INPUT_SPIN = 1016,
        IDC_OUTPUT_SPIN = 1017,
        IDC_COMMON_FRACTIONS = 1018,
        IDC_DECIMAL_FRACTIONS = 1019,
    };

    explicit CSettingsDlg(DisplaySettings& settings, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void RefuseWidth(int field);

    DisplaySettings& settings;
};
