#include "ui/common/LineColorDialog.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace telmora {

ShapeFrame::ShapeFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ShapeFrame::setBrushColor(const QColor& color) {
    if (m_brush == color)
        return;
    m_brush = color;
    update();
}

QSize ShapeFrame::sizeHint() const {
    return {64, 24};
}

void ShapeFrame::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(contentsRect(), m_brush);
    }
    QFrame::paintEvent(event);
}

LineColorDialog::LineColorDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setWindowTitle(translate("LineColorDialog", "Graph Line Color"));
    setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    MakeDialogFrame(*this);
    buildControls();
    restoreDefaults();
    DialogPlacement::attach(*this);
}

void LineColorDialog::buildControls() {
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    m_firstSwatch = new ShapeFrame(this);
    m_secondSwatch = new ShapeFrame(this);
    named(m_firstSwatch, "mainLineColorSample");
    named(m_secondSwatch, "subLineColorSample");
    m_firstButton = new QPushButton(translate("LineColorDialog", "Line Color 1..."), this);
    m_secondButton = new QPushButton(translate("LineColorDialog", "Line Color 2..."), this);
    m_defaultButton = new QPushButton(translate("LineColorDialog", "Default"), this);
    m_okButton = new QPushButton(translate("LineColorDialog", "OK"), this);
    m_cancelButton = new QPushButton(translate("LineColorDialog", "Cancel"), this);
    named(m_firstButton, "mainLineColorButton");
    named(m_secondButton, "subLineColorButton");
    named(m_defaultButton, "defaultColorsButton");
    named(m_okButton, "OKBtn");
    named(m_cancelButton, "cancelButton");
    for (QPushButton* b : {m_firstButton, m_secondButton, m_defaultButton, m_cancelButton})
        b->setAutoDefault(false);
    m_okButton->setDefault(true);

    auto* swatches = new QGridLayout;
    swatches->addWidget(m_firstSwatch, 0, 0);
    swatches->addWidget(m_firstButton, 0, 1);
    swatches->addWidget(m_secondSwatch, 1, 0);
    swatches->addWidget(m_secondButton, 1, 1);
    swatches->setHorizontalSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaultButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(swatches);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_firstButton, &QPushButton::clicked, this, [this] { pickInto(m_firstSwatch); });
    connect(m_secondButton, &QPushButton::clicked, this, [this] { pickInto(m_secondSwatch); });
    connect(m_defaultButton, &QPushButton::clicked, this, &LineColorDialog::restoreDefaults);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QColor LineColorDialog::firstColor() const {
    return m_firstSwatch->brushColor();
}

QColor LineColorDialog::secondColor() const {
    return m_secondSwatch->brushColor();
}

void LineColorDialog::setColors(const QColor& first, const QColor& second) {
    if (first.isValid())
        m_firstSwatch->setBrushColor(first);
    if (second.isValid())
        m_secondSwatch->setBrushColor(second);
}

void LineColorDialog::setButtonTexts(const QString& first, const QString& second) {
    m_firstButton->setText(first);
    m_secondButton->setText(second);
}

void LineColorDialog::restoreDefaults() {
    m_firstSwatch->setBrushColor(QColor::fromRgb(kDefaultColor1));
    m_secondSwatch->setBrushColor(QColor::fromRgb(kDefaultColor2));
}

void LineColorDialog::pickInto(ShapeFrame* shape) {
    if (const std::optional<QColor> color =
            m_dialogs.pickColor(this, shape->brushColor(), QString()))
        shape->setBrushColor(*color);
}

} // namespace telmora
