#include "ui/language.h"

#include <QCoreApplication>
#include <QTranslator>

#include "core/texts.h"
#include "platform/startup.h"

namespace {

const char kTranslatorName[] = "tablitor_translation";

Language current = Language::Russian;

std::string TranslateText(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

void RemoveProgramTranslation()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (auto* old = application->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
}

// The English texts are built into the program (translations/tablitor_en.ts).
void InstallEnglish()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(kTranslatorName);
    if (translator->load(QStringLiteral(":/i18n/tablitor_en.qm")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

std::optional<Language> LanguageNamed(const QString& code)
{
    if (code == QLatin1String("ru"))
        return Language::Russian;
    if (code == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString LanguageCode(Language language) { return language == Language::English ? "en" : "ru"; }

Language LanguageOfLocale(const QString& localeName)
{
    const QString name = localeName.trimmed();
    const bool none = name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX") ||
                      name.startsWith(QLatin1String("C."));
    return none || name.startsWith(QLatin1String("ru")) ? Language::Russian : Language::English;
}

Language SystemLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return LanguageOfLocale(name);
    }
    return Language::Russian;
}

Language LanguageOfStart(const std::optional<Language>& commandLine, const std::optional<Language>& chosen)
{
    if (commandLine)
        return *commandLine;
    return chosen ? *chosen : SystemLanguage();
}

void UseLanguage(Language language)
{
    RemoveProgramTranslation();
    if (language == Language::English)
        InstallEnglish();
    UseQtTexts(language == Language::Russian);
    SetTextTranslator(language == Language::English ? &TranslateText : nullptr);
    current = language;
}

Language CurrentLanguage() { return current; }
