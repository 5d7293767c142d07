#pragma once

#include <QString>
#include <QStringList>

namespace telmora {

class MainWindow;

// The file named on the command line (the first argument that is not an option),
// or an empty text. Desktop launchers pass the file a user opened this way.
QString FileArgument(const QStringList& arguments);

// Brings the main window up as a run starts: creates the other windows, shows
// them, lays them out side by side unless remembered places were restored, and
// opens `file` when one is given.
void StartMainWindow(MainWindow& mainWindow, const QString& file);

} // namespace telmora
