#include "ui/settings_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "core/captions.h"
#include "platform/integer_text.h"
#include "platform/modal.h"
#include "platform/up_down.h"

namespace {

constexpr int kMinWidth = DisplaySettings::kMinWidth;
constexpr int kMaxWidth = DisplaySettings::kMaxWidth;

// The display mode's radio buttons stand in one group, common fractions first.
int RadioIndexOf(DisplayMode mode)
{
    return mode == DisplayMode::DecimalFractions ? 1 : 0;
}

DisplayMode ModeOfRadioIndex(int index)
{
    return index == 1 ? DisplayMode::DecimalFractions : DisplayMode::CommonFractions;
}

// Whether a width field holds a number that no column may have: one outside the range, or one
// too long to be read at all. Text that is no number is the integer check's.
bool WidthOutOfRange(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || !std::ranges::all_of(digits, [](QChar c) { return c.isDigit(); }))
        return false;
    const std::optional<int> width = ParseInteger(digits);
    return !width || *width < kMinWidth || *width > kMaxWidth;
}

} // namespace

const DialogTemplate& CSettingsDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        QT_TRANSLATE_NOOP("Dialogs", "Прочие настройки"), 200, 233, "MS Sans Serif", 8,
        {
            {IDC_INPUT_WIDTH_LABEL, Static, 13, 17, 71, 8, QT_TRANSLATE_NOOP("Dialogs", "Ширина полей ввода")},
            {IDC_INPUT_WIDTH, Edit, 99, 15, 27, 12, "", DigitsOnly},
            {IDC_INPUT_SPIN, UpDown, 126, 14, 11, 14, "", AutoBuddy},
            {IDC_OUTPUT_WIDTH_LABEL, Static, 13, 40, 76, 8, QT_TRANSLATE_NOOP("Dialogs", "Ширина полей вывода")},
            {IDC_OUTPUT_WIDTH, Edit, 99, 38, 27, 12, "", DigitsOnly},
            {IDC_OUTPUT_SPIN, UpDown, 125, 37, 11, 14, "", AutoBuddy},
            {NoId, GroupBox, 7, 61, 136, 56, QT_TRANSLATE_NOOP("Dialogs", "Режим отображения")},
            {IDC_COMMON_FRACTIONS, RadioButton, 21, 76, 97, 10, QT_TRANSLATE_NOOP("Dialogs", "Обыкновенные дроби"), Group},
            {IDC_DECIMAL_FRACTIONS, RadioButton, 21, 97, 96, 10, QT_TRANSLATE_NOOP("Dialogs", "Десятичные дроби")},
            {IDC_EXPLAIN_MISTAKES, CheckBox, 13, 126, 180, 10, QT_TRANSLATE_NOOP("Dialogs", "Объяснять ошибки")},
            {IDC_GENERAL_PROBLEMS, CheckBox, 13, 141, 180, 10, QT_TRANSLATE_NOOP("Dialogs", "Общая задача (неравенства, искусственный базис)")},
            {IDC_SHOW_PICTURE, CheckBox, 13, 156, 180, 10, QT_TRANSLATE_NOOP("Dialogs", "Показывать график")},
            {IDC_LANGUAGE_LABEL, Static, 13, 175, 80, 8, QT_TRANSLATE_NOOP("Dialogs", "Язык интерфейса")},
            {IDC_LANGUAGE, DropDownList, 99, 173, 60, 40},
            {IDC_LANGUAGE_NOTE, Static, 13, 190, 180, 16, QT_TRANSLATE_NOOP("Dialogs", "Язык сменится при следующем запуске программы.")},
            {IdOk, DefaultButton, 43, 212, 50, 14, "OK"},
            {IdCancel, Button, 107, 212, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "Отмена")},
        },
    };
    return table;
}

CSettingsDlg::CSettingsDlg(DisplaySettings& settings, QWidget* parent)
    : TemplateDialog(Template(), parent), settings(settings)
{
}

void CSettingsDlg::OnInitDialog()
{
    auto setUpWidth = [this](int spin, int edit, int width) {
        auto* upDown = ControlAs<UpDownControl>(spin);
        upDown->SetRange(kMinWidth, kMaxWidth);
        upDown->SetPosition(width);
        SetControlText(edit, QString::number(width));
    };
    setUpWidth(IDC_INPUT_SPIN, IDC_INPUT_WIDTH, settings.inputWidth);
    setUpWidth(IDC_OUTPUT_SPIN, IDC_OUTPUT_WIDTH, settings.outputWidth);
    SetCaption(IDC_INPUT_WIDTH, IDC_INPUT_WIDTH_LABEL);
    SetCaption(IDC_OUTPUT_WIDTH, IDC_OUTPUT_WIDTH_LABEL);
    SetRadioIndex(IDC_COMMON_FRACTIONS, RadioIndexOf(settings.displayMode));
    SetChecked(IDC_EXPLAIN_MISTAKES, settings.explainMistakes);
    SetChecked(IDC_GENERAL_PROBLEMS, settings.generalProblems);
    SetChecked(IDC_SHOW_PICTURE, settings.showPicture);
    // Each language by its own name, whatever the interface's language.
    AddListItem(IDC_LANGUAGE, tr("Русский"));
    AddListItem(IDC_LANGUAGE, "English");
    SetCaption(IDC_LANGUAGE, IDC_LANGUAGE_LABEL);
    shownLanguage = settings.language.value_or(CurrentLanguage());
    ControlAs<QComboBox>(IDC_LANGUAGE)->setCurrentIndex(shownLanguage == Language::English ? 1 : 0);
}

// A width outside the range is refused: the dialog stays open on its field and nothing is taken.
// Otherwise the display mode is always taken; a width field that holds no integer is reported
// and keeps, with every width after it, its previous value. The dialog closes all the same.
void CSettingsDlg::OnOK()
{
    for (int field : {IDC_INPUT_WIDTH, IDC_OUTPUT_WIDTH}) {
        if (WidthOutOfRange(ControlText(field))) {
            RefuseWidth(field);
            return;
        }
    }
    settings.displayMode = ModeOfRadioIndex(RadioIndex(IDC_COMMON_FRACTIONS));
    settings.explainMistakes = IsChecked(IDC_EXPLAIN_MISTAKES);
    settings.generalProblems = IsChecked(IDC_GENERAL_PROBLEMS);
    settings.showPicture = IsChecked(IDC_SHOW_PICTURE);
    const Language chosen =
        ControlAs<QComboBox>(IDC_LANGUAGE)->currentIndex() == 1 ? Language::English : Language::Russian;
    if (settings.language || chosen != shownLanguage)
        settings.language = chosen;
    int width = settings.inputWidth;
    if (ReadInteger(IDC_INPUT_WIDTH, width)) {
        settings.inputWidth = width;
        width = settings.outputWidth;
        if (ReadInteger(IDC_OUTPUT_WIDTH, width))
            settings.outputWidth = width;
    }
    TemplateDialog::OnOK();
}

void CSettingsDlg::RefuseWidth(int field)
{
    MessageBox(tr("Введите ширину полей от %1 до %2").arg(kMinWidth).arg(kMaxWidth),
               QString::fromStdString(InputErrorCaption()),
               MessageBoxIcon::Exclamation);
    auto* edit = ControlAs<QLineEdit>(field);
    edit->setFocus();
    edit->selectAll();
}
