#pragma once

#include "platform/dialog_template.h"
#include "platform/dialog_units.h"

#include <QDialog>

#include <vector>

class QLabel;

// A modal dialog built from a DialogTemplate: its controls are real Qt widgets, placed at the
// pixels of their dialog units in the dialog's font, and found by their ids. Dialog classes
// derive from it and handle the notifications below. Run it with RunModal (modal.h).
//
// Enter presses the default button, or sends IdOk when there is none; a button with id IdOk
// calls OnOK, one with IdCancel calls OnCancel, as do Escape and the close box.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    explicit TemplateDialog(const DialogTemplate& layout, QWidget* parent = nullptr);

    // nullptr when no control has the id.
    QWidget* Control(int id) const;
    template <class Widget>
    Widget* ControlAs(int id) const { return qobject_cast<Widget*>(Control(id)); }

    // Whether the control's row in the table carries the flag.
    bool ControlHasFlag(int id, ControlFlag flag) const;

    void EnableControl(int id, bool enable = true);
    void ShowControl(int id, bool show = true);
    // Pixels in the client area, where the menu bar is not.
    void MoveControl(int id, const QRect& pixels);
    QRect ControlRect(int id) const;

    // The text of a static, edit, button or group box; for a drop-down list the chosen item,
    // and setting it chooses the item with exactly that text (or none).
    void SetControlText(int id, const QString& text);
    // The static label is the caption of control id: a screen reader calls the control by the
    // label's text, now and after every SetControlText of the label. A label captions one
    // control at a time; captioning another moves it there.
    void SetCaption(int id, int label);
    QString ControlText(int id) const;

    // Reads an edit's integer. Text that is not one is reported in a message box captioned with
    // the application's display name, the edit gets the focus, and false is returned with value
    // unchanged.
    bool ReadInteger(int id, int& value);

    void AddListItem(int id, const QString& text);
    // The index of the checked radio button in the group of the radio button id (-1: none).
    int RadioIndex(int id) const;
    void SetRadioIndex(int id, int index);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    QRect DialogRectToPixels(const QRect& units) const;
    // The parent of every control; its rectangle is the client area.
    QWidget* ClientArea() const;

    // Escape and the close box: OnCancel.
    void reject() override;

protected:
    // Once, when the dialog is first shown, placed but not yet visible.
    virtual void OnInitDialog() {}
    // Button clicks and menu commands other than IdOk and IdCancel.
    virtual void OnCommand(int id);
    // Every change of an edit's text, typed or set (setting the same text again is no change).
    virtual void OnEditChange(int id);
    // Close with IdOk and IdCancel; override to check first or to stay open.
    virtual void OnOK();
    virtual void OnCancel();
    // After every change of the client area's size.
    virtual void OnSize() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct PlacedControl {
        int id;
        ControlFlag flags;
        QWidget* widget;
    };

    void AddMenuBar(const std::vector<MenuRow>& menu);
    void AddControl(const ControlRow& row);
    QWidget* CreateWidget(const ControlRow& row);
    const PlacedControl* Placed(int id) const;
    void SetLabelText(int id, QLabel& label, const QString& text);
    // As Control, with a warning when the id is missing.
    QWidget* Find(int id) const;
    void Command(int id);
    void PressDefaultButton();

    struct Caption {
        int label;
        int control;
    };

    QWidget* client;
    DialogBaseUnits baseUnits;
    std::vector<PlacedControl> controls;
    std::vector<Caption> captions;
    bool initialised = false;
};
