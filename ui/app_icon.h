#pragma once

#include <QIcon>

// The program's icon: a small simplex table with its key element marked.
QIcon TutorIcon();
