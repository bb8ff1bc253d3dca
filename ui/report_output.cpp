#include "ui/report_output.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/captions.h"
#include "platform/desktop.h"
#include "platform/modal.h"
#include "report/report_writer.h"

namespace {

void Complain(const QString& text)
{
    MessageBox(text, QString::fromStdString(ProgramName()), MessageBoxIcon::Exclamation);
}

} // namespace

QDir ReportFolder() { return QDir(QDir::tempPath() + "/" + QString::fromStdString(ProgramName())); }

QString NewReportPath(const QDir& folder, const QDateTime& now)
{
    const QString stem = QString::fromStdString(ProgramName()) + " " + now.toString("yyyy-MM-dd HH-mm-ss");
    QString path = folder.filePath(stem + ".xlsx");
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = folder.filePath(stem + QString(" (%1).xlsx").arg(copy));
    return path;
}

QString ReportWrittenText(const QString& path)
{
    return QCoreApplication::translate("Report", "Отчет записан в файл\n%1").arg(QDir::toNativeSeparators(path));
}

std::optional<QString> OutputReport(int equationCount, int unknownCount, const std::vector<ReportSheet>& sheets)
{
    const QDir folder = ReportFolder();
    if (!folder.mkpath(".")) {
        Complain(QCoreApplication::translate("Report", "Не удалось создать папку для отчета:\n%1")
                     .arg(QDir::toNativeSeparators(folder.path())));
        return std::nullopt;
    }
    const QString path = NewReportPath(folder, QDateTime::currentDateTime());
    const ReportResult written = WriteReportSheets(path.toStdString(), equationCount, unknownCount, sheets);
    if (!written.ok) {
        Complain(QString::fromStdString(written.message));
        return std::nullopt;
    }
    OpenWithDesktop(path, [path](bool opened) {
        if (!opened) {
            Complain(QCoreApplication::translate("Report", "Отчет записан в файл\n%1\nно открыть его не удалось: не "
                                                           "нашлось программы для файлов .xlsx. Откройте файл сами, "
                                                           "например в LibreOffice Calc.")
                         .arg(QDir::toNativeSeparators(path)));
        }
    });
    return path;
}
