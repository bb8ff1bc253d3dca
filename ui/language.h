#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The interface's languages: Russian, in which every text is written, and English.
enum class Language { Russian, English };

// "ru" or "en", as the command line and the settings name a language; nothing for anything else.
std::optional<Language> LanguageNamed(const QString& code);
QString LanguageCode(Language language);

// The system's language for messages, from the locale name of LC_ALL, LC_MESSAGES or LANG
// (the first that is set): Russian when it is Russian or none at all (C, POSIX), English for
// any other.
Language LanguageOfLocale(const QString& localeName);
Language SystemLanguage();

// The language of this start: `--lang ru|en` first, then the settings' choice, then the system's.
Language LanguageOfStart(const std::optional<Language>& commandLine, const std::optional<Language>& chosen);

// Every text shown from now on is in `language`: the program's own, the core's, and Qt's
// (standard buttons, edit menus). Russian needs no translation of the program's texts.
void UseLanguage(Language language);
Language CurrentLanguage();
