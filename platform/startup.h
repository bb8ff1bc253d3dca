#pragma once

// Prepares the desktop for the program, once the QApplication exists (again is harmless): Qt's
// own Russian texts (standard buttons, edit menus) and the faces that stand in for the program's
// fonts. False when the Russian texts could not be loaded; Qt's English texts then remain.
bool PreparePlatform();
