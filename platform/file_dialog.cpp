#include "platform/file_dialog.h"

#include <QFileDialog>

#include "platform/modal.h"

namespace {

QString ChosenFile(QFileDialog& dialog)
{
    if (RunModal(dialog) != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter, const QString& startPath)
{
    QFileDialog dialog(parent, caption, startPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ChosenFile(dialog);
}

QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& filter, const QString& startPath,
                         const QString& defaultSuffix)
{
    QFileDialog dialog(parent, caption, startPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return ChosenFile(dialog);
}
