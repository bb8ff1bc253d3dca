#include "core/texts.h"

#include <vector>

namespace {

TextTranslator translator = nullptr;

} // namespace

void SetTextTranslator(TextTranslator newTranslator) { translator = newTranslator; }

std::string Tr(const char* context, const char* source)
{
    return translator != nullptr ? translator(context, source) : std::string(source);
}

std::string TrMarked(const char* context, const char* source) { return Tr(context, source); }

std::string Fill(const std::string& pattern, std::initializer_list<std::string> arguments)
{
    const std::vector<std::string> values(arguments);
    std::string text;
    text.reserve(pattern.size() + 16 * values.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
