#include "model/IniSettings.h"

#include "model/SaveFile.h"
#include "model/fileaccess.h"

#include <QDataStream>
#include <QFileInfo>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QStringEncoder>

namespace telmora {

namespace {

#ifdef Q_OS_WIN
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isKeyCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           c == u'_' || c == u'-' || c == u'.';
}

void appendHex(QByteArray& out, unsigned value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

// A key or section name: letters, digits and "_-." as they are, "/" as "\",
// everything else percent-encoded.
QByteArray escapedKey(const QString& key) {
    QByteArray out;
    for (const QChar c : key) {
        const char16_t ch = c.unicode();
        if (ch == u'/') {
            out += '\\';
        } else if (isKeyCharacter(ch)) {
            out += static_cast<char>(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            appendHex(out, ch, 2);
        } else {
            out += "%U";
            appendHex(out, ch, 4);
        }
    }
    return out;
}

// The escape of a control character that has a letter of its own; null for others.
const char* letterEscape(char16_t ch) {
    switch (ch) {
    case u'\0':
        return "\\0";
    case u'\a':
        return "\\a";
    case u'\b':
        return "\\b";
    case u'\f':
        return "\\f";
    case u'\n':
        return "\\n";
    case u'\r':
        return "\\r";
    case u'\t':
        return "\\t";
    case u'\v':
        return "\\v";
    default:
        return nullptr;
    }
}

// A value's text with control characters, quotes and backslashes escaped, in
// quotes when it holds a separator or starts or ends with a blank. Text of raw
// bytes ("@ByteArray(", "@Variant(") keeps every character a byte.
void appendEscapedText(QByteArray& out, const QString& text) {
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) ||
                       text.startsWith(QLatin1String("@Variant(")) ||
                       text.startsWith(QLatin1String("@DateTime("));
    const qsizetype start = out.size();
    bool quote = false;
    bool escapeHexDigit = false; // after "\x.." or "\0", a hex digit would join the code
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    for (const QChar c : text) {
        const char16_t ch = c.unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            quote = true;
        if (escapeHexDigit && isHexDigit(ch)) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeHexDigit = false;
        if (const char* escape = letterEscape(ch)) {
            out += escape;
            escapeHexDigit = ch == u'\0';
        } else if (ch == u'"' || ch == u'\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch <= 0x1F || (ch >= 0x7F && bytes)) {
            out += "\\x" + QByteArray::number(ch, 16);
            escapeHexDigit = true;
        } else if (bytes) {
            out += static_cast<char>(ch);
        } else {
            out += QByteArray(toUtf8(QStringView(&c, 1)));
        }
    }
    if (quote || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A value's text before escaping.
QString valueText(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QLatin1String("@ByteArray(") + QLatin1String(value.toByteArray()) + QLatin1Char(')');
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        QString text = value.toString();
        if (text.contains(QChar::Null))
            return QLatin1String("@String(") + text + QLatin1Char(')');
        if (text.startsWith(QLatin1Char('@')))
            text.prepend(QLatin1Char('@'));
        return text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        break;
    }
    const bool dateTime = value.metaType().id() == QMetaType::QDateTime;
    QByteArray stream;
    {
        QDataStream out(&stream, QIODevice::WriteOnly);
        out.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
        out << value;
    }
    return QLatin1String(dateTime ? "@DateTime(" : "@Variant(") + QLatin1String(stream) +
           QLatin1Char(')');
}

void appendValue(QByteArray& out, const QVariant& value) {
    // A list of one element cannot be told from the element itself, so only other
    // lists are written comma separated.
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList ||
        (type == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList list = value.toList();
        if (list.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i != 0)
                out += ", ";
            appendEscapedText(out, valueText(list.at(i)));
        }
        return;
    }
    appendEscapedText(out, valueText(value));
}

QByteArray sectionLine(const QString& section) {
    if (section.isEmpty())
        return "[General]";
    const QByteArray name = escapedKey(section);
    // A group of its own called "General" is told from the general section.
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return "[%General]";
    return '[' + name + ']';
}

} // namespace

IniSettings::IniSettings(QString path) : m_path(std::move(path)) {
    if (m_path.isEmpty() || !QFileInfo::exists(m_path) || !ReplaceTargetProblem(m_path).isEmpty())
        return;
    const QSettings file(m_path, QSettings::IniFormat);
    for (const QString& key : file.allKeys())
        m_values.insert(key, file.value(key));
}

QByteArray IniSettings::text() const {
    // Sections in order, the general one first; keys sorted within each.
    QMap<QString, QMap<QString, QVariant>> sections;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        sections[section].insert(it.key().mid(slash + 1), it.value());
    }
    QByteArray out;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!out.isEmpty())
            out += kLineEnd;
        out += sectionLine(section.key()) + kLineEnd;
        for (auto it = section->cbegin(); it != section->cend(); ++it) {
            out += escapedKey(it.key()) + '=';
            appendValue(out, it.value());
            out += kLineEnd;
        }
    }
    return out;
}

bool IniSettings::save(QString* reason) const {
    // Without a file (its folder is not used) the values live for this run only.
    if (m_path.isEmpty())
        return true;
    return SaveFile::writeWhole(m_path, text(), reason);
}

} // namespace telmora
