#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: a small simplex table with its key element marked.
QIcon TutorIcon();

// The same drawing at one size in pixels; the desktop's icon files are rendered from it.
QPixmap DrawTutorIcon(int size);
