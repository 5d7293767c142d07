#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace telmora {

class RecorderController;
class UserDialogs;

// The file dialogs and messages of the recorder's Open and Save.

// "Save As" for a recording (.g53, "Untitled.g53", asks before replacing a file).
// A recording of several meters is saved as a group under one NAME.telmora (the
// name always ends so).
std::optional<QString> askRecordingSaveName(UserDialogs& dialogs, QWidget* owner,
                                            bool severalMeters = false);
// The name a recording of several meters is saved under: `path` ending in
// ".telmora" (a ".g53" ending is replaced, any other name gets it added).
QString GroupSavePath(const QString& path);
// "Open" for a recording (one meter's .g53 or a group's .telmora) or a temporary
// file of an acquisition.
std::optional<QString> askRecordingToOpen(UserDialogs& dialogs, QWidget* owner);

// The "could not be saved" error with the file's path and, when known, the reason.
void showFileSaveError(UserDialogs& dialogs, QWidget* owner, const QString& path,
                       const QString& reason);

// The notice that a text export of several meters wrote a file per meter, listing them.
void showExportedPerMeter(UserDialogs& dialogs, QWidget* owner, const QStringList& files);

// What printed pages of the recording name in their header: its file's name, or
// "unsaved recording" for one that never was in a file.
QString PrintedDocumentName(const RecorderController& controller);
// The name a recording that never was in a file goes by.
QString UnsavedRecordingName();

} // namespace telmora
