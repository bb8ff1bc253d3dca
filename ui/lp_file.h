#pragma once

#include <QString>

#include <optional>

#include "core/lp_format.h"

// Problems in LP files on disk. A file is read only up to the size the reader takes, so a huge
// one is refused without being read whole; a file is written whole or not at all.

struct LpFileRead {
    std::optional<LpProblem> problem;
    QString message; // without a problem: why, in Russian
};

LpFileRead ReadLpFile(const QString& path);

// Nothing, or why the file could not be written; after a failure any earlier file is as it was.
std::optional<QString> WriteLpFile(const QString& path, const LpProblem& problem);
