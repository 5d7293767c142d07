#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>

namespace telmora {

// A plain panel of the live displays: a filled background with one line of text
// in the displays' font at the panel's point size. The meter and its files write
// the ohm unit as the letter "W"; a panel set to show the ohm sign draws it as Ω.
// Text that would not fit is drawn smaller rather than cut off.
class LcdPanel : public QWidget {
    Q_OBJECT
public:
    static inline const QColor kLime{0, 255, 0};

    explicit LcdPanel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // The text as drawn: "W" becomes the ohm sign on a panel that shows it, and a
    // lone "u" prefix becomes the micro sign on panels marked as prefix panels.
    QString displayText() const;

    void setShowsOhmSign(bool on);
    bool showsOhmSign() const { return m_showsOhmSign; }
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
    // The width of `text` in `font`, measured once per digit pattern: a new
    // reading of the same form takes the same room.
    qreal widthOf(const QString& text, const QFont& font) const;

    QString m_text;
    bool m_showsOhmSign = false;
    int m_pointSize = 9;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    QColor m_background = Qt::black;
    QColor m_foreground = kLime;
    bool m_bevel = true;
    bool m_bold = false;
    bool m_prefixPanel = false;
    mutable QHash<QString, qreal> m_measuredWidths; // by pattern, size and weight
};

} // namespace telmora
