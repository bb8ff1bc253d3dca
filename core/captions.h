#pragma once

#include <string>

// The captions of the program's message boxes and the window titles that more than one place
// names, so that a box reads the same whichever part of the program puts it up; each in the
// interface's language.

// The program's name as the student sees it: the wizard's title, the caption of its general
// messages, the name of the reports.
std::string ProgramName();
// Text the student typed that cannot be taken: a size, a name, a cell, an answer.
std::string InputErrorCaption();
// An answer that was read but is wrong.
std::string ErrorCaption();
// An expression the calculator could read but not work out.
std::string CalculationErrorCaption();
// The table window's title; the wizard finds the window by it to close it along with itself.
std::string ResultsTitle();
