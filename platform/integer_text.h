#pragma once

#include <QString>

#include <optional>

// Reads a whole field as a signed integer: optional spaces around an optional sign and decimal
// digits. Anything else, and any value outside the int range, is not an integer.
std::optional<int> ParseInteger(const QString& text);
