// The yardstick of the program's start-up: the least a Qt Widgets dialog can be, a label, a line
// edit and two buttons, built with the same compiler and flags.
#include "platform/exit_when_shown.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ExitWhenFirstShownIfAsked();
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Label"));
    layout->addWidget(new QLineEdit);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(new QPushButton("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(new QPushButton("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return dialog.exec();
}
