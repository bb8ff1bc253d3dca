#include "ui/report_output.h"

#include <QFileInfo>

#include "core/captions.h"
#include "platform/desktop.h"
#include "platform/modal.h"
#include "report/report_writer.h"

namespace {

void Complain(const QString& text) { MessageBox(text, ProgramName, MessageBoxIcon::Exclamation); }

} // namespace

QDir ReportFolder() { return QDir(QDir::tempPath() + "/" + ProgramName); }

QString NewReportPath(const QDir& folder, const QDateTime& now)
{
    const QString stem = QString(ProgramName) + " " + now.toString("yyyy-MM-dd HH-mm-ss");
    QString path = folder.filePath(stem + ".xlsx");
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = folder.filePath(stem + QString(" (%1).xlsx").arg(copy));
    return path;
}

QString ReportWrittenText(const QString& path)
{
    return "Отчет записан в файл\n" + QDir::toNativeSeparators(path);
}

std::optional<QString> OutputReport(int equationCount, int unknownCount, const std::vector<ReportSheet>& sheets)
{
    const QDir folder = ReportFolder();
    if (!folder.mkpath(".")) {
        Complain("Не удалось создать папку для отчета:\n" + QDir::toNativeSeparators(folder.path()));
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
            Complain(ReportWrittenText(path) +
                     "\nно открыть его не удалось: не нашлось программы для файлов .xlsx. Откройте файл сами, "
                     "например в LibreOffice Calc.");
        }
    });
    return path;
}
