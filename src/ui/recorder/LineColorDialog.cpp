#include "ui/recorder/LineColorDialog.h"

#include "ui/common/FileDialogs.h"

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

LineColorDialog::LineColorDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Graph Line Color"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    ShapeLineColor1 = new ShapeFrame(this);
    ShapeLineColor2 = new ShapeFrame(this);
    btnLineColor1 = new QPushButton(QStringLiteral("Line Color 1..."), this);
    btnLineColor2 = new QPushButton(QStringLiteral("Line Color 2..."), this);
    btnDefault = new QPushButton(QStringLiteral("Default"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {btnLineColor1, btnLineColor2, btnDefault, CancelBtn})
        b->setAutoDefault(false);
    OKBtn->setDefault(true);

    auto* swatches = new QGridLayout;
    swatches->addWidget(ShapeLineColor1, 0, 0);
    swatches->addWidget(btnLineColor1, 0, 1);
    swatches->addWidget(ShapeLineColor2, 1, 0);
    swatches->addWidget(btnLineColor2, 1, 1);
    swatches->setHorizontalSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(swatches);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnLineColor1, &QPushButton::clicked, this, &LineColorDialog::btnLineColor1Click);
    connect(btnLineColor2, &QPushButton::clicked, this, &LineColorDialog::btnLineColor2Click);
    connect(btnDefault, &QPushButton::clicked, this, &LineColorDialog::btnDefaultClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    btnDefaultClick();
}

void LineColorDialog::btnDefaultClick() {
    ShapeLineColor1->setBrushColor(QColor::fromRgb(kDefaultColor1));
    ShapeLineColor2->setBrushColor(QColor::fromRgb(kDefaultColor2));
}

void LineColorDialog::btnLineColor1Click() {
    pickInto(ShapeLineColor1);
}

void LineColorDialog::btnLineColor2Click() {
    pickInto(ShapeLineColor2);
}

void LineColorDialog::pickInto(ShapeFrame* shape) {
    if (const std::optional<QColor> color = telmora::PickColor(this, shape->brushColor()))
        shape->setBrushColor(*color);
}

} // namespace telmora
