#pragma once

class QApplication;

// Prepares the desktop for the program, once at start-up (again is harmless): Qt's own Russian
// texts (standard buttons, edit menus) and the faces that stand in for the program's fonts.
// False when the Russian texts could not be loaded; the program then runs with Qt's English.
bool PreparePlatform(QApplication& application);
