#include "core/captions.h"

#include "core/texts.h"

std::string ProgramName() { return Tr("Captions", "Таблитор"); }

std::string InputErrorCaption() { return Tr("Captions", "Ошибка ввода"); }

std::string ErrorCaption() { return Tr("Captions", "Ошибка"); }

std::string CalculationErrorCaption() { return Tr("Captions", "Ошибка вычисления"); }

std::string ResultsTitle() { return Tr("Captions", "Результаты"); }
