#include "ui/lp_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string>

namespace {

// Why a path names no file that can be read, before anything is read from it.
std::optional<QString> FindUnreadableFile(const QFileInfo& file)
{
    if (!file.exists())
        return QCoreApplication::translate("LpFile", "Такого файла нет");
    if (file.isDir())
        return QCoreApplication::translate("LpFile", "Это папка, а не файл");
    // A device or a pipe could hold a reader forever.
    if (!file.isFile())
        return QCoreApplication::translate("LpFile", "Это не обычный файл");
    return std::nullopt;
}

} // namespace

LpFileRead ReadLpFile(const QString& path)
{
    if (auto fault = FindUnreadableFile(QFileInfo(path)))
        return {std::nullopt, *fault};
    QFile file(path);
    // A regular file that exists and does not open lacks the right to read it, or the program
    // lacks the resources to open it.
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, file.error() == QFileDevice::OpenError
                                  ? QCoreApplication::translate("LpFile", "Нет прав на чтение файла")
                                  : QCoreApplication::translate("LpFile", "Файл не удаётся прочитать")};
    }
    // One byte beyond the limit tells the reader that the file is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(kLpFileSizeLimit) + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QCoreApplication::translate("LpFile", "Файл не удаётся прочитать")};
    LpReadResult read = ReadLpProblem(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return {std::move(read.problem), QString::fromStdString(read.message)};
}

std::optional<QString> WriteLpFile(const QString& path, const LpProblem& problem)
{
    const std::string text = WriteLpProblem(problem);
    if (QFileInfo(path).isDir())
        return QCoreApplication::translate("LpFile", "Это папка, а не файл");
    // The text goes to a new file beside the old one, which it replaces only when written whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("LpFile", "Нет прав на запись в эту папку или в этот файл");
    file.write(text.data(), static_cast<qint64>(text.size()));
    if (!file.commit())
        return QCoreApplication::translate("LpFile", "Запись не удалась: возможно, на диске нет места");
    return std::nullopt;
}
