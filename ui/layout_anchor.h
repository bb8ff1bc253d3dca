#pragma once

#include "ui/anchor_rules.h"

#include <QRect>

#include <vector>

class QWidget;
class TemplateDialog;

// Keeps the controls of a resizable dialog in place. The dialog describes in a static table how
// each edge of a control follows its client area or an earlier control, initialises the anchor
// once its controls stand where they belong, and calls Relayout from its OnSize.
class CLayoutAnchor {
public:
    // Takes the places the listed controls have now as their start; an id of 0 stands for the
    // client area. reference is the client rectangle those places belong to (nullptr: the client
    // area as it is now). Starts over when called again. False when a listed control is missing
    // from the dialog: it is left where it is.
    bool Init(TemplateDialog& dialog, const QRect* reference, const AnchorSpec* table, int count);
    // Lays the listed controls out anew for the client area's present size; nothing before Init.
    void Relayout();
    // Forgets the dialog and its table.
    void Release();

private:
    QWidget* ListedWidget(int id) const;
    // A hidden control, and one that may overlap its siblings, is moved but never collapsed.
    bool TakesPartInOverlapTest(int id) const;

    TemplateDialog* dialog = nullptr;
    AnchorRect reference;
    std::vector<AnchoredControl> controls;
    std::vector<AnchorRect> placed;  // allocated by the first relayout after Init, then reused
};
