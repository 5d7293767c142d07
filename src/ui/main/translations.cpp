#include "ui/main/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace telmora {

namespace {

// Loads `name`_<language> for `locale` from `folder` and installs it; a
// translator that finds no file is dropped again.
QTranslator* installOne(QCoreApplication& app, const QLocale& locale, const QString& name,
                        const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    // The application owns it from now on and outlives every window.
    translator->setParent(&app);
    return translator.release();
}

} // namespace

QString InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    const QTranslator* own =
        installOne(app, locale, QStringLiteral("telmora"), QStringLiteral(":/i18n"));
    // Qt's own texts (the buttons of standard dialogs) only where the program
    // itself speaks the language, so that a window never mixes two languages.
    if (own != nullptr)
        installOne(app, locale, QStringLiteral("qtbase"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return own != nullptr ? own->filePath() : QString();
}

} // namespace telmora
