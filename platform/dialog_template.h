#pragma once

#include <QString>

#include <vector>

// The kinds of controls a dialog table can hold, and the Qt widget each becomes.
enum class ControlKind {
    Static,         // QLabel: plain text at the top left; wraps words if two lines high
    CentredStatic,  // QLabel: the same, centred
    Edit,           // QLineEdit
    Button,         // QPushButton
    DefaultButton,  // QPushButton pressed by Enter
    GroupBox,       // QGroupBox: a titled frame; the controls in it are rows of their own
    RadioButton,    // QRadioButton
    CheckBox,       // QCheckBox
    DropDownList,   // QComboBox: a list to choose from, nothing chosen at first
    UpDown,         // UpDownControl: arrows that step an edit's integer
    Custom,         // the widget registered under the row's class name (control_classes.h)
};

enum class ControlFlag : unsigned {
    None = 0,
    Hidden = 1u << 0,
    Disabled = 1u << 1,
    DigitsOnly = 1u << 2,  // edit: only the digits 0 to 9 can be typed
    Sorted = 1u << 3,      // drop-down list: AddListItem keeps the items in alphabetical order
    Group = 1u << 4,       // radio button: starts a new group; following radio rows join it
    AutoBuddy = 1u << 5,   // up-down: steps the edit of the row just before it
    ClipSiblings = 1u << 6, // may overlap its siblings without drawing over them: never collapsed
};

constexpr ControlFlag operator|(ControlFlag a, ControlFlag b)
{
    return static_cast<ControlFlag>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool HasFlag(ControlFlag flags, ControlFlag flag)
{
    return (static_cast<unsigned>(flags) & static_cast<unsigned>(flag)) != 0;
}

// The id of controls that nothing needs to find, such as fixed labels.
constexpr int NoId = -1;

// One control: its place and size in dialog units, its text at creation (for a drop-down list
// and an up-down control: none) and its flags.
struct ControlRow {
    int id = NoId;
    ControlKind kind = ControlKind::Static;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    QString text = {};
    ControlFlag flags = ControlFlag::None;
    QString className = {};  // Custom only
};

// One item of the dialog's menu bar: the menu it is in, the command it sends, its text.
struct MenuRow {
    QString menu = {};
    int command = 0;
    QString text = {};
};

// A whole dialog as a table. Write the rows in tab order; a static function of the dialog class
// returning a static const DialogTemplate, with `using enum ControlKind; using enum ControlFlag;`,
// reads like the table it comes from:
//     {1005, Edit, 70, 83, 31, 12, "", Hidden},
//     {1007, UpDown, 100, 82, 11, 14, "", Hidden | AutoBuddy},
//     {1001, Custom, 7, 27, 336, 89, "", Hidden, "TutorGridCtrl"},
struct DialogTemplate {
    QString caption = {};
    int width = 0;   // of the client area, dialog units
    int height = 0;
    QString fontFace = {};
    int fontPoints = 8;
    std::vector<ControlRow> controls = {};
    std::vector<MenuRow> menu = {};
    bool resizable = false;  // a sizing border and a maximise box
};
