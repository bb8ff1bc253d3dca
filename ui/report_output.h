#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QString>

#include <vector>

#include "report/report_writer.h"

// "Вывод результатов": the run's tables go into a new workbook in a folder of the user's temporary
// location, which the desktop then opens in its spreadsheet program, unsaved elsewhere, for the
// student to save or print. An earlier report is never overwritten. When the file cannot be
// written or nothing opens it, a message says so, and where the file lies when it was written.
void OutputReport(int equationCount, int unknownCount, const std::vector<ReportSheet>& sheets);

// The folder reports go to: "Таблитор" in the temporary location.
QDir ReportFolder();

// "Таблитор 2026-12-07 14-05-09.xlsx" in folder, with " (2)", " (3)" ... before the extension
// when a file of that name is already there.
QString NewReportPath(const QDir& folder, const QDateTime& now);
