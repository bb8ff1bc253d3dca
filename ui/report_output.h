#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QString>

#include <optional>
#include <vector>

#include "report/report_writer.h"

// "Вывод результатов": the run's tables go into a new workbook in a folder of the user's temporary
// location, which the desktop then opens in its spreadsheet program, unsaved elsewhere, for the
// student to save or print. An earlier report is never overwritten. When the file cannot be
// written a message says so at once; when nothing opens it, a message says so as soon as the
// desktop has given up, and where the file lies. Returns the written file's path, or nothing.
std::optional<QString> OutputReport(int equationCount, int unknownCount, const std::vector<ReportSheet>& sheets);

// "Отчет записан в файл" and the file's path on a line of its own.
QString ReportWrittenText(const QString& path);

// The folder reports go to: "Таблитор" in the temporary location.
QDir ReportFolder();

// "Таблитор 2026-12-07 14-05-09.xlsx" in folder, with " (2)", " (3)" ... before the extension
// when a file of that name is already there.
QString NewReportPath(const QDir& folder, const QDateTime& now);
