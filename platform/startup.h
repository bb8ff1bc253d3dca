#pragma once

// Prepares the desktop for the program, once the QApplication exists (again is harmless): Qt's
// own texts (standard buttons, edit menus) in Russian unless English is asked for, and the faces
// that stand in for the program's fonts. False when the Russian texts could not be loaded; Qt's
// English texts then remain.
bool PreparePlatform(bool russianTexts = true);

// Qt's own texts in Russian, or in English, Qt's own language. False when the Russian texts
// could not be loaded.
bool UseQtTexts(bool russian);
