#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace telmora {

// Installs into `app` the program's translation for `locale` (embedded under
// :/i18n) and Qt's own translation of its standard dialogs and buttons (from Qt's
// translations folder, when present). The translators are children of `app`.
// Gives the file name of the program's translation that was installed, or an
// empty text when the program stays in English. Only texts made afterwards are
// translated, so this runs before the first window is built.
QString InstallTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace telmora
