#include "resources/StringTable.h"

#include <QHash>

namespace telmora {

namespace {

struct Entry {
    int id;
    const char* text;
};

// clang-format off
constexpr Entry kStrings[] = {
    {1, "Telmora"},
    {60, "Vantor DM-Series"},
    {7, "\\ORLANDL.ini"},
    {100, "Digital Meter"},
    {8999, "Warning[W%d]"},
    {9999, "Error[E%d]"},
    {8003, "Buffer has data."},
    {7005, "Do you want to save the data to a file before exit ?"},
    {8004, "No data received."},
    {9015, "USB adapter cable not found."},
};
// clang-format on

const QHash<int, QString>& table() {
    static const QHash<int, QString> t = [] {
        QHash<int, QString> h;
        for (const Entry& e : kStrings)
            h.insert(e.id, QString::fromUtf8(e.text));
        return h;
    }();
    return t;
}

} // namespace

QString LoadStr(int id) { return table().value(id); }

bool HasStr(int id) { return table().contains(id); }

QString FormatCaption(int formatId, int number) {
    QString format = LoadStr(formatId);
    return format.replace(QStringLiteral("%d"), QString::number(number));
}

} // namespace telmora
