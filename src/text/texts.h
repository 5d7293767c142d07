#pragma once

#include <QString>

namespace telmora {

// The program's numbered texts: menus 500-999, hints 1000-1055, notices and
// errors 6001-9999, captions and dialog texts. An unknown number gives "".
QString LoadStr(int id);

// True when the table has a text for `id`.
bool HasStr(int id);

// Fills a caption format such as "Error[E%d]" with a number.
QString FormatCaption(int formatId, int number);

} // namespace telmora
