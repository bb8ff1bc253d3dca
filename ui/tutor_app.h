#pragma once

#include <QString>

// The application: prepares the desktop services, seeds the choice of elements, and runs the
// entry wizard as the program's only main window; when the wizard closes, the program ends.
class CTutorApp {
public:
    // Everything the dialogs need before the first one is built: Russian standard texts, the
    // program's fonts, the grid control class. Safe to call again.
    static void PrepareDialogs();

    // Runs the wizard to its end, with the problem of an LP file in it when a file is named; the
    // program's exit status.
    int Run(const QString& problemFile = {});
};
