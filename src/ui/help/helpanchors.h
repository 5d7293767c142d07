#pragma once

#include <QString>

class QWidget;

namespace telmora {

// Where the manual is: compiled into the program as a resource.
inline constexpr char kManualUrl[] = "qrc:/manual/index.html";

// The top of the manual, with its table of contents.
inline constexpr char kManualContents[] = "contents";

// The manual's section about `window` (a window or panel of this program, a
// widget in one, or a dialog or message box shown by one): the id of that section
// in the manual. A message box captioned "Error[E<n>]" or "Warning[W<n>]" leads to
// the entry of message n; a widget or dialog that has no section of its own leads
// to the section of the panel or window it belongs to; anything else to the
// contents.
QString HelpAnchorFor(const QWidget* window);

// The id of the manual's entry for message number `number` ("msg-9015").
QString MessageHelpAnchor(int number);

} // namespace telmora
