#include "ui/settings_store.h"

#include <QSettings>

#include <algorithm>

namespace {

QSettings Store() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "tablitor", "tablitor"); }

int Width(const QSettings& store, const char* key, int fallback)
{
    bool ok = false;
    const int width = store.value(key).toInt(&ok);
    return ok && width >= DisplaySettings::kMinWidth && width <= DisplaySettings::kMaxWidth ? width : fallback;
}

bool Flag(const QSettings& store, const char* key, bool fallback)
{
    const QVariant value = store.value(key);
    return value.isValid() ? value.toBool() : fallback;
}

} // namespace

DisplaySettings LoadSettings()
{
    const QSettings store = Store();
    DisplaySettings settings;
    settings.inputWidth = Width(store, "display/inputWidth", settings.inputWidth);
    settings.outputWidth = Width(store, "display/outputWidth", settings.outputWidth);
    if (store.value("display/fractions").toString() == "decimal")
        settings.displayMode = DisplayMode::DecimalFractions;
    settings.explainMistakes = Flag(store, "tutoring/explainMistakes", settings.explainMistakes);
    settings.generalProblems = Flag(store, "tutoring/generalProblems", settings.generalProblems);
    settings.showPicture = Flag(store, "tutoring/showPicture", settings.showPicture);
    settings.language = LanguageNamed(store.value("interface/language").toString());
    return settings;
}

void SaveSettings(const DisplaySettings& settings)
{
    QSettings store = Store();
    store.setValue("display/inputWidth", settings.inputWidth);
    store.setValue("display/outputWidth", settings.outputWidth);
    store.setValue("display/fractions",
                   settings.displayMode == DisplayMode::DecimalFractions ? "decimal" : "common");
    store.setValue("tutoring/explainMistakes", settings.explainMistakes);
    store.setValue("tutoring/generalProblems", settings.generalProblems);
    store.setValue("tutoring/showPicture", settings.showPicture);
    if (settings.language)
        store.setValue("interface/language", LanguageCode(*settings.language));
}
