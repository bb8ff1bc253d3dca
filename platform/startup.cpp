#include "platform/startup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char* const TranslatorName = "qtbase_ru";

}  // namespace

bool PreparePlatform(QApplication& application)
{
    // The program's layouts were drawn in these faces; the Liberation faces have their metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));

    if (application.findChild<QTranslator*>(TranslatorName, Qt::FindDirectChildrenOnly) != nullptr)
        return true;
    auto* translator = new QTranslator(&application);
    translator->setObjectName(TranslatorName);
    if (!translator->load(TranslatorName, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}
