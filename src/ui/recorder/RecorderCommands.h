#pragma once

namespace telmora {

class RecorderWindow;

// The recorder window's file, viewer and export commands. They work on the
// window's buffer and controls and are called from its buttons and menus.

// Save: asks for a .g53 name and writes the whole buffer. True when the buffer
// was saved; false when the user cancelled or the file could not be written
// (message FileSaveError; an existing file of that name is left as it was).
bool RecorderSave(RecorderWindow& form);

// Open: clears the buffer (asking first when it holds unsaved data), asks for a
// recorder file and loads it with the progress window, whose Abort stops the
// loading and leaves an empty buffer. A loaded file counts as unsaved.
void RecorderOpen(RecorderWindow& form);

// Fit all data: the graph viewer over the whole buffer.
void RecorderFitView(RecorderWindow& form);

// Export: text of pages to a file, or pictures of pages to the clipboard, a file
// or the printer, as chosen in the export dialog.
void RecorderExport(RecorderWindow& form);

} // namespace telmora
