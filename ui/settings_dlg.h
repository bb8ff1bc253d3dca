#pragma once

#include <optional>

#include "core/number_text.h"
#include "ui/language.h"
#include "platform/template_dialog.h"

// The settings of the program, kept between its starts (settings_store.h).
struct DisplaySettings {
    static constexpr int kMinWidth = 10;
    static constexpr int kMaxWidth = 100;

    int inputWidth = 50;  // data columns of the wizard's grids, pixels
    int outputWidth = 50; // columns of the table window's grids, pixels
    DisplayMode displayMode = DisplayMode::CommonFractions; // of the table window's values
    bool explainMistakes = true;  // a wrong answer's message says which rule it broke
    bool generalProblems = false; // inequalities and the artificial basis, not the strict canonical form
    bool showPicture = true;      // the picture of the path beside the table, when one exists
    std::optional<Language> language; // of the interface from the next start; none: the system's
};

// "Прочие настройки": the two column widths (10 to 100 pixels), the display mode, the choices
// of how the program tutors and the interface's language, which the next start takes. OK takes
// the values over, "Отмена" leaves them as they were.
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
        IDC_EXPLAIN_MISTAKES = 1060,
        IDC_GENERAL_PROBLEMS = 1061,
        IDC_SHOW_PICTURE = 1062,
        IDC_LANGUAGE_LABEL = 1063,
        IDC_LANGUAGE = 1064,
        IDC_LANGUAGE_NOTE = 1065,
    };

    explicit CSettingsDlg(DisplaySettings& settings, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void RefuseWidth(int field);

    DisplaySettings& settings;
    // The language the list showed at first: one never chosen follows the system's until it is.
    Language shownLanguage = Language::Russian;
};
