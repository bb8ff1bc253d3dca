#pragma once

#include "core/problem.h"
#include "ui/settings_dlg.h"

// What the table window needs of the window that opens it (the wizard): the problem, which a run
// changes in place table by table, the display settings, the run flag and the parting routine.
class RunOwner {
public:
    virtual ~RunOwner() = default;

    virtual Problem& GetProblem() = 0;
    virtual const DisplaySettings& GetSettings() const = 0;
    virtual bool RunActive() const = 0;
    // After the student has failed: the parting message, and no further run.
    virtual void FailRun() = 0;
};
