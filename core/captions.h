#pragma once

// The captions of the program's message boxes and the window titles that more than one place
// names, so that a box reads the same whichever part of the program puts it up.

// The program's name as the student sees it: the wizard's title, the caption of its general
// messages, the name of the reports; --version prints it too.
inline constexpr char ProgramName[] = "Таблитор";
// Text the student typed that cannot be taken: a size, a name, a cell, an answer.
inline constexpr char InputErrorCaption[] = "Ошибка ввода";
// An answer that was read but is wrong.
inline constexpr char ErrorCaption[] = "Ошибка";
// An expression the calculator could read but not work out.
inline constexpr char CalculationErrorCaption[] = "Ошибка вычисления";
// The table window's title; the wizard finds the window by it to close it along with itself.
inline constexpr char ResultsTitle[] = "Результаты";
