#pragma once

#include <QString>

// The fixed texts of the wizard's pages.
namespace PageTexts {

QString About();
QString FirstInstruction();
QString SecondInstruction();
QString SizesHeading();
QString NamesHeading();

} // namespace PageTexts
