#include "platform/template_dialog.h"

#include "platform/control_classes.h"
#include "platform/fonts.h"
#include "platform/integer_text.h"
#include "platform/modal.h"
#include "platform/up_down.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// A static one line high does not wrap its words: where a stand-in face writes a text a little
// wider than the original face did, the line loses its last pixels, not its last word.
QLabel* MakeStatic(const QString& text, Qt::Alignment alignment, int pixelHeight, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(pixelHeight >= 2 * label->fontMetrics().height());
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QButtonGroup* GroupFor(const ControlRow& row, QWidget* previous, QObject* owner)
{
    auto* previousRadio = qobject_cast<QRadioButton*>(previous);
    if (previousRadio != nullptr && previousRadio->group() != nullptr && !HasFlag(row.flags, ControlFlag::Group))
        return previousRadio->group();
    return new QButtonGroup(owner);
}

// A table's texts are Russian sources marked for the extraction tool in the context "Dialogs";
// a dialog shows them in the interface's language.
QString Translated(const QString& text)
{
    return text.isEmpty() ? text : QCoreApplication::translate("Dialogs", text.toUtf8().constData());
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& layout, QWidget* parent)
    : QDialog(parent), client(new QWidget(this))
{
    setWindowTitle(Translated(layout.caption));
    const QFont font = MakeFont(layout.fontFace, layout.fontPoints);
    setFont(font);
    baseUnits = BaseUnitsOf(font);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->addWidget(client);
    if (!layout.menu.empty())
        AddMenuBar(layout.menu);

    const QSize clientSize = ::DialogUnitsToPixels(QSize(layout.width, layout.height), baseUnits);
    if (layout.resizable) {
        setWindowFlag(Qt::WindowMaximizeButtonHint);
        const int menuHeight = frame->menuBar() != nullptr ? frame->menuBar()->sizeHint().height() : 0;
        resize(clientSize.width(), clientSize.height() + menuHeight);
        client->resize(clientSize);
    } else {
        client->setFixedSize(clientSize);
        frame->setSizeConstraint(QLayout::SetFixedSize);
    }

    for (const ControlRow& row : layout.controls)
        AddControl(row);
    client->installEventFilter(this);
}

QWidget* TemplateDialog::Control(int id) const
{
    const PlacedControl* placed = Placed(id);
    return placed != nullptr ? placed->widget : nullptr;
}

bool TemplateDialog::ControlHasFlag(int id, ControlFlag flag) const
{
    const PlacedControl* placed = Placed(id);
    return placed != nullptr && HasFlag(placed->flags, flag);
}

void TemplateDialog::EnableControl(int id, bool enable)
{
    if (QWidget* control = Find(id))
        control->setEnabled(enable);
}

void TemplateDialog::ShowControl(int id, bool show)
{
    if (QWidget* control = Find(id))
        control->setVisible(show);
}

void TemplateDialog::MoveControl(int id, const QRect& pixels)
{
    if (QWidget* control = Find(id))
        control->setGeometry(pixels);
}

QRect TemplateDialog::ControlRect(int id) const
{
    const QWidget* control = Find(id);
    return control != nullptr ? control->geometry() : QRect();
}

void TemplateDialog::SetControlText(int id, const QString& text)
{
    QWidget* control = Find(id);
    if (auto* label = qobject_cast<QLabel*>(control))
        SetLabelText(id, *label, text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
}

void TemplateDialog::SetLabelText(int id, QLabel& label, const QString& text)
{
    label.setText(text);
    for (const Caption& caption : captions) {
        if (caption.label == id)
            Control(caption.control)->setAccessibleName(text);
    }
}

void TemplateDialog::SetCaption(int id, int label)
{
    QWidget* control = Find(id);
    if (control == nullptr || Find(label) == nullptr)
        return;
    std::erase_if(captions, [label](const Caption& caption) { return caption.label == label; });
    captions.push_back({label, id});
    control->setAccessibleName(ControlText(label));
}

QString TemplateDialog::ControlText(int id) const
{
    const QWidget* control = Find(id);
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* list = qobject_cast<const QComboBox*>(control))
        return list->currentText();
    return {};
}

bool TemplateDialog::ReadInteger(int id, int& value)
{
    const std::optional<int> number = ParseInteger(ControlText(id));
    if (number) {
        value = *number;
        return true;
    }
    MessageBox(QCoreApplication::translate("Dialogs", "Введите целое число."), QApplication::applicationDisplayName(),
               MessageBoxIcon::Exclamation);
    if (auto* edit = ControlAs<QLineEdit>(id)) {
        edit->setFocus();
        edit->selectAll();
    }
    return false;
}

void TemplateDialog::AddListItem(int id, const QString& text)
{
    const PlacedControl* placed = Placed(id);
    auto* list = placed != nullptr ? qobject_cast<QComboBox*>(placed->widget) : nullptr;
    if (list == nullptr)
        return;
    int position = list->count();
    if (HasFlag(placed->flags, ControlFlag::Sorted)) {
        position = 0;
        while (position < list->count()
               && QString::compare(list->itemText(position), text, Qt::CaseInsensitive) <= 0)
            ++position;
    }
    // A new list chooses its first item by itself; a list of this program starts with none.
    const bool noneChosen = list->currentIndex() < 0;
    list->insertItem(position, text);
    if (noneChosen)
        list->setCurrentIndex(-1);
}

bool TemplateDialog::IsChecked(int id) const
{
    const auto* box = ControlAs<QCheckBox>(id);
    return box != nullptr && box->isChecked();
}

void TemplateDialog::SetChecked(int id, bool checked)
{
    if (auto* box = ControlAs<QCheckBox>(id))
        box->setChecked(checked);
}

int TemplateDialog::RadioIndex(int id) const
{
    const auto* radio = ControlAs<QRadioButton>(id);
    return radio != nullptr && radio->group() != nullptr ? radio->group()->checkedId() : -1;
}

void TemplateDialog::SetRadioIndex(int id, int index)
{
    const auto* radio = ControlAs<QRadioButton>(id);
    QButtonGroup* group = radio != nullptr ? radio->group() : nullptr;
    if (group == nullptr)
        return;
    if (QAbstractButton* chosen = group->button(index)) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group does not let its last checked button go.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

QRect TemplateDialog::DialogRectToPixels(const QRect& units) const
{
    return ::DialogUnitsToPixels(units, baseUnits);
}

QWidget* TemplateDialog::ClientArea() const
{
    return client;
}

void TemplateDialog::reject()
{
    OnCancel();
}

void TemplateDialog::OnCommand(int)
{
}

void TemplateDialog::OnEditChange(int)
{
}

void TemplateDialog::OnOK()
{
    done(IdOk);
}

void TemplateDialog::OnCancel()
{
    done(IdCancel);
}

bool TemplateDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client && event->type() == QEvent::Resize)
        OnSize();
    return QDialog::eventFilter(watched, event);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        PressDefaultButton();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TemplateDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!initialised) {
        initialised = true;
        OnInitDialog();
    }
}

void TemplateDialog::AddMenuBar(const std::vector<MenuRow>& menu)
{
    auto* bar = new QMenuBar(this);
    bar->setFont(QApplication::font());
    for (const MenuRow& item : menu) {
        QMenu* popup = nullptr;
        for (QAction* action : bar->actions()) {
            if (action->menu() != nullptr && action->text() == Translated(item.menu))
                popup = action->menu();
        }
        if (popup == nullptr)
            popup = bar->addMenu(Translated(item.menu));
        const int command = item.command;
        QAction* action = popup->addAction(Translated(item.text));
        connect(action, &QAction::triggered, this, [this, command] { Command(command); });
    }
    layout()->setMenuBar(bar);
}

void TemplateDialog::AddControl(const ControlRow& row)
{
    QWidget* widget = CreateWidget(row);
    QRect place = DialogRectToPixels(QRect(row.x, row.y, row.width, row.height));
    // The height of a drop-down list's row includes its opened list; closed it is one line high.
    if (row.kind == ControlKind::DropDownList)
        place.setHeight(widget->sizeHint().height());
    widget->setGeometry(place);
    if (HasFlag(row.flags, ControlFlag::Hidden))
        widget->hide();
    if (HasFlag(row.flags, ControlFlag::Disabled))
        widget->setEnabled(false);
    controls.push_back({row.id, row.flags, widget});
}

QWidget* TemplateDialog::CreateWidget(const ControlRow& row)
{
    QWidget* previous = controls.empty() ? nullptr : controls.back().widget;
    const int id = row.id;
    const int pixelHeight = ScaleRounded(row.height, baseUnits.y, 8);
    switch (row.kind) {
    case ControlKind::Static:
        return MakeStatic(Translated(row.text), Qt::AlignLeft, pixelHeight, client);
    case ControlKind::CentredStatic:
        return MakeStatic(Translated(row.text), Qt::AlignHCenter, pixelHeight, client);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(row.text, client);
        if (HasFlag(row.flags, ControlFlag::DigitsOnly))
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        connect(edit, &QLineEdit::textChanged, this, [this, id] { OnEditChange(id); });
        return edit;
    }
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(Translated(row.text), client);
        button->setDefault(row.kind == ControlKind::DefaultButton);
        connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
        return button;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(Translated(row.text), client);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(Translated(row.text), client);
        QButtonGroup* group = GroupFor(row, previous, this);
        group->addButton(radio, static_cast<int>(group->buttons().size()));
        connect(radio, &QRadioButton::clicked, this, [this, id] { Command(id); });
        return radio;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(Translated(row.text), client);
        connect(box, &QCheckBox::clicked, this, [this, id] { Command(id); });
        return box;
    }
    case ControlKind::DropDownList:
        return new QComboBox(client);
    case ControlKind::UpDown: {
        auto* upDown = new UpDownControl(client);
        if (HasFlag(row.flags, ControlFlag::AutoBuddy))
            upDown->SetBuddy(qobject_cast<QLineEdit*>(previous));
        return upDown;
    }
    case ControlKind::Custom:
        if (QWidget* custom = CreateControlOfClass(row.className, client))
            return custom;
        qWarning("No control class \"%s\" is registered: control %d stays empty", qPrintable(row.className), id);
        return new QWidget(client);
    }
    return new QWidget(client);
}

const TemplateDialog::PlacedControl* TemplateDialog::Placed(int id) const
{
    for (const PlacedControl& control : controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

QWidget* TemplateDialog::Find(int id) const
{
    QWidget* control = Control(id);
    if (control == nullptr)
        qWarning("Dialog \"%s\" has no control %d", qPrintable(windowTitle()), id);
    return control;
}

void TemplateDialog::Command(int id)
{
    if (id == IdOk)
        OnOK();
    else if (id == IdCancel)
        OnCancel();
    else
        OnCommand(id);
}

void TemplateDialog::PressDefaultButton()
{
    for (const PlacedControl& control : controls) {
        auto* button = qobject_cast<QPushButton*>(control.widget);
        if (button != nullptr && button->isDefault() && button->isVisible()) {
            if (button->isEnabled())
                button->click();
            return;
        }
    }
    Command(IdOk);
}
