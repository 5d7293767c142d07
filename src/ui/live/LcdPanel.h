#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace telmora {

// A plain panel of the live displays: a filled background with one line of text
// drawn in the panel's typeface and point size. The typeface is kept by name:
// "Symbol" means that the unit letter "W" is drawn as the ohm sign. Text that
// would not fit is drawn smaller rather than cut off.
class LcdPanel : public QWidget {
    Q_OBJECT
public:
    static inline const QString kTypeface = QStringLiteral("Airal");
    static inline const QString kSymbolTypeface = QStringLiteral("Symbol");
    static inline const QColor kLime{0, 255, 0};

    explicit LcdPanel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // The text as drawn: "W" becomes the ohm sign in the Symbol typeface, and a
    // lone "u" prefix becomes the micro sign on panels marked as prefix panels.
    QString displayText() const;

    void setTypeface(const QString& family);
    QString typeface() const { return m_typeface; }
    void setPointSize(int points);
    int pointSize() const { return m_pointSize; }
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }
    void setColors(const QColor& background, const QColor& foreground);
    QColor background() const { return m_background; }
    QColor foreground() const { return m_foreground; }
    // A thin sunken edge, as the meter's display cells have.
    void setBevel(bool on);
    void setBold(bool on);
    void setPrefixPanel(bool on) { m_prefixPanel = on; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QString m_typeface = kTypeface;
    int m_pointSize = 9;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    QColor m_background = Qt::black;
    QColor m_foreground = kLime;
    bool m_bevel = true;
    bool m_bold = false;
    bool m_prefixPanel = false;
};

} // namespace telmora
