#pragma once

#include <initializer_list>
#include <string>

// Every text the student reads is written here in Russian, the program's source language, and
// reaches the student through the interface's language. The core knows no translations: the
// window side installs a translator at start; without one a text is its Russian source.
//
// The extraction tool (lupdate) is told that Tr is a translate function and TR_NOOP a
// translate marker, both with a context first, so it finds every text of the core.

using TextTranslator = std::string (*)(const char* context, const char* source);

// The translator every later Tr goes through; nullptr puts the Russian sources back.
void SetTextTranslator(TextTranslator translator);

// The source text `source` of `context` in the interface's language.
std::string Tr(const char* context, const char* source);

// A text marked with TR_NOOP where it was written, translated where it is used.
std::string TrMarked(const char* context, const char* source);

#define TR_NOOP(context, source) source

// A whole sentence with its %1..%9 replaced by the arguments, in one pass: an argument's own
// '%' stays as it is. The translation may put the places in another order.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> arguments);
