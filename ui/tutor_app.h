#pragma once

#include <QString>

#include "ui/language.h"

// The application: prepares the desktop services, seeds the choice of elements, and runs the
// entry wizard as the program's only main window; when the wizard closes, the program ends.
class CTutorApp {
public:
    // Everything the dialogs need before the first one is built: the texts in `language`, the
    // program's fonts, the grid control class. Safe to call again, in another language too.
    static void PrepareDialogs(Language language = Language::Russian);

    // Runs the wizard to its end, with the problem of an LP file in it when a file is named; the
    // program's exit status.
    int Run(const QString& problemFile = {}, Language language = Language::Russian);
};
