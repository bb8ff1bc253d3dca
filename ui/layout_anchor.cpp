#include "ui/layout_anchor.h"

#include "platform/template_dialog.h"

namespace {

AnchorRect ToAnchorRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

QRect ToQRect(const AnchorRect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

} // namespace

bool CLayoutAnchor::Init(TemplateDialog& dialog, const QRect* reference, const AnchorSpec* table, int count)
{
    Release();
    this->dialog = &dialog;
    const QRect client = dialog.ClientArea()->rect();
    this->reference = ToAnchorRect(reference != nullptr ? *reference : client);
    if (table == nullptr)
        return count <= 0;
    bool everyControlFound = true;
    for (int i = 0; i < count; ++i) {
        const AnchorSpec& rules = table[i];
        QRect start = client;
        if (rules.controlId != AnchorClientArea) {
            // Every control is a child of the client area, so its geometry is in client coordinates.
            const QWidget* widget = ListedWidget(rules.controlId);
            everyControlFound = everyControlFound && widget != nullptr;
            start = widget != nullptr ? widget->geometry() : QRect();
        }
        controls.push_back({rules, ToAnchorRect(start)});
    }
    return everyControlFound;
}

void CLayoutAnchor::Relayout()
{
    if (dialog == nullptr)
        return;
    placed.resize(controls.size());
    for (AnchoredControl& control : controls)
        control.overlapTested = TakesPartInOverlapTest(control.rules.controlId);
    PlaceAnchoredControls(reference, controls, ToAnchorRect(dialog->ClientArea()->rect()), placed);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (QWidget* widget = ListedWidget(controls[i].rules.controlId))
            widget->setGeometry(ToQRect(placed[i]));
    }
}

void CLayoutAnchor::Release()
{
    dialog = nullptr;
    reference = {};
    controls = std::vector<AnchoredControl>();
    placed = std::vector<AnchorRect>();
}

QWidget* CLayoutAnchor::ListedWidget(int id) const
{
    return id != AnchorClientArea ? dialog->Control(id) : nullptr;
}

// Visible to the dialog rather than on screen, so that a relayout before the dialog is first
// shown treats the controls as the student will see them.
bool CLayoutAnchor::TakesPartInOverlapTest(int id) const
{
    const QWidget* widget = ListedWidget(id);
    return widget != nullptr && widget->isVisibleTo(dialog) && !dialog->ControlHasFlag(id, ControlFlag::ClipSiblings);
}
