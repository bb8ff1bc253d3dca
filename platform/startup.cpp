#include "platform/startup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char* const TranslatorName = "qtbase_ru";

}  // namespace

bool PreparePlatform(bool russianTexts)
{
    // Liberation Serif has the metrics of Times New Roman. The bitmap face MS Sans Serif has no
    // such twin; Liberation Sans comes closest to its widths.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));

    return UseQtTexts(russianTexts);
}

bool UseQtTexts(bool russian)
{
    QCoreApplication* application = QCoreApplication::instance();
    auto* installed = application->findChild<QTranslator*>(TranslatorName, Qt::FindDirectChildrenOnly);
    if (!russian) {
        if (installed != nullptr) {
            QCoreApplication::removeTranslator(installed);
            delete installed;
        }
        return true;
    }
    if (installed != nullptr)
        return true;
    auto* translator = new QTranslator(application);
    translator->setObjectName(TranslatorName);
    if (!translator->load(TranslatorName, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
