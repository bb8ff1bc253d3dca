// The second yardstick of the program's start-up: the program's first page written plainly in Qt,
// with none of the program's code but its text. The same window size, menu, faces and buttons:
// what that page costs in any program, so that what the program adds of its own stands apart.
#include "platform/exit_when_shown.h"
#include "ui/page_texts.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont Face(const char* family, int pixels, QFont::Weight weight)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ExitWhenFirstShownIfAsked();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Таблитор"));
    dialog.setFont(Face("Liberation Sans", 11, QFont::Normal));
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menu = new QMenuBar;
    menu->setFont(QApplication::font());
    menu->addMenu(QStringLiteral("Настройки"))->addAction(QStringLiteral("Прочие"));
    layout->setMenuBar(menu);

    auto* page = new QWidget;
    page->setFixedSize(525, 361);
    auto* text = new QLabel(PageTexts::About(), page);
    text->setFont(Face("Liberation Serif", 15, QFont::DemiBold));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setGeometry(11, 11, 504, 304);
    const struct { const char* caption; int x, width; } buttons[] = {
        {"Открыть...", 90, 66}, {"Далее >", 311, 75}, {"Отмена", 440, 75}};
    for (const auto& button : buttons)
        (new QPushButton(QString::fromUtf8(button.caption), page))->setGeometry(button.x, 325, button.width, 23);
    layout->addWidget(page);
    return dialog.exec();
}
