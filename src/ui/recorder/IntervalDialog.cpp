#include "ui/recorder/IntervalDialog.h"

#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <charconv>

namespace telmora {

namespace {

IntervalDialog::InputProvider& inputProvider() {
    static IntervalDialog::InputProvider provider;
    return provider;
}

// A whole decimal number, optionally signed, blanks around it allowed.
std::optional<long long> parseInteger(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

void IntervalDialog::setInputProvider(InputProvider provider) {
    inputProvider() = std::move(provider);
}

IntervalDialog::IntervalDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DialogOption"));
    setWindowTitle(text(TextId::IntervalDialogCaption));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(telmora::AppIconPixmap(32));
    setWindowIcon(telmora::AppIcon());

    rgIntervalMode = new QGroupBox(text(TextId::IntervalModeGroup), this);
    rgIntervalMode->setObjectName(QStringLiteral("rgIntervalMode"));
    rbtnManual = new QRadioButton(text(TextId::IntervalManual), rgIntervalMode);
    rbtnManual->setObjectName(QStringLiteral("rbtnManual"));
    rbtnAutomatic = new QRadioButton(text(TextId::IntervalAutomatic), rgIntervalMode);
    rbtnAutomatic->setObjectName(QStringLiteral("rbtnAutomatic"));
    cbxInterval = new QComboBox(rgIntervalMode);
    cbxInterval->setObjectName(QStringLiteral("cbxInterval"));
    cbxInterval->setEditable(false);
    cbxInterval->addItem(text(TextId::IntervalFullSpeed));
    cbxInterval->addItem(text(TextId::IntervalCustom));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    btnOk->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(rbtnManual, &QRadioButton::clicked, this, &IntervalDialog::rbtnClick);
    connect(rbtnAutomatic, &QRadioButton::clicked, this, &IntervalDialog::rbtnClick);
    connect(cbxInterval, &QComboBox::activated, this, &IntervalDialog::cbxIntervalChange);

    computeLayout();
    mode = 0;
    seconds = 0;
    cbxInterval->setCurrentIndex(1);
}

void IntervalDialog::computeLayout() {
    const QSize iconSize = Image1->pixmap().deviceIndependentSize().toSize();
    Image1->setGeometry(5, 5, iconSize.width(), iconSize.height());

    // The list is as wide as its longest choice (plus the arrow and frame the style needs).
    const QFontMetrics fm(cbxInterval->font());
    cbxInterval->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int listWidth = std::max(cbxInterval->sizeHint().width(),
                                   fm.horizontalAdvance(telmora::text(TextId::IntervalCustom)));
    const int listHeight = cbxInterval->sizeHint().height();

    const int groupTop = 5;
    const int groupLeft = Image1->geometry().right() + 1 + 5;
    const int titleHeight = fm.height() + 6;
    const QSize manualSize = rbtnManual->sizeHint();
    const QSize autoSize = rbtnAutomatic->sizeHint();
    rbtnManual->setGeometry(5, titleHeight + 4, manualSize.width(), manualSize.height());
    const int autoTop = rbtnManual->geometry().bottom() + 1 + 8;
    const int rowHeight = std::max(autoSize.height(), listHeight);
    rbtnAutomatic->setGeometry(5, autoTop + (rowHeight - autoSize.height()) / 2, autoSize.width(),
                               autoSize.height());
    const int listLeft = rbtnAutomatic->geometry().right() + 1 + 5;
    cbxInterval->setGeometry(listLeft, autoTop + (rowHeight - listHeight) / 2, listWidth,
                             listHeight);
    const int groupWidth = cbxInterval->geometry().right() + 1 + 5;
    const int groupHeight = autoTop + rowHeight + 8;
    rgIntervalMode->setGeometry(groupLeft, groupTop, groupWidth, groupHeight);

    const int dialogWidth = iconSize.width() + groupWidth + 25;
    const int bevelTop = rgIntervalMode->geometry().bottom() + 1 + 5;
    Bevel1->setGeometry(5, bevelTop, dialogWidth - 15, 3);

    const int buttonTop = bevelTop + 3 + 5;
    const QSize okSize = btnOk->sizeHint().expandedTo(bbtnCancel->sizeHint());
    const int centre = dialogWidth / 2;
    btnOk->setGeometry(centre - 10 - okSize.width(), buttonTop, okSize.width(), okSize.height());
    bbtnCancel->setGeometry(centre + 10, buttonTop, okSize.width(), okSize.height());
    setFixedSize(dialogWidth, buttonTop + okSize.height() + 8);
}

int IntervalDialog::execFor(std::uint8_t newMode, std::int32_t newSeconds) {
    mode = newMode;
    seconds = newSeconds;
    FormShow();
    return exec();
}

void IntervalDialog::FormShow() {
    rbtnManual->setChecked(mode == 1);
    rbtnAutomatic->setChecked(mode != 1);
    cbxInterval->setEnabled(rbtnAutomatic->isChecked());
    cbxInterval->setCurrentIndex(seconds != 0 ? 1 : 0);
}

void IntervalDialog::rbtnClick() {
    mode = rbtnManual->isChecked() ? 1 : 0;
    cbxInterval->setEnabled(rbtnAutomatic->isChecked());
}

std::optional<QString> IntervalDialog::askSeconds(const QString& prefill) {
    if (inputProvider())
        return inputProvider()(prefill);
    bool ok = false;
    const QString text = QInputDialog::getText(this, telmora::text(TextId::IntervalSeconds),
                                               telmora::text(TextId::IntervalSecondsPrompt),
                                               QLineEdit::Normal, prefill, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void IntervalDialog::cbxIntervalChange() {
    if (cbxInterval->currentIndex() == 0) {
        seconds = 0;
        return;
    }
    // "Customization...": ask until the answer is a number that is not negative. A
    // text that is not a whole number (or too large) keeps the earlier seconds;
    // Cancel keeps them too and ends the question.
    const std::int32_t before = seconds;
    for (;;) {
        const auto answer = askSeconds(QString::number(seconds));
        if (!answer) {
            seconds = before;
            cbxInterval->setCurrentIndex(seconds != 0 ? 1 : 0);
            return;
        }
        const auto number = parseInteger(*answer);
        if (number && *number >= 0 && *number <= kMaxSeconds) {
            seconds = static_cast<std::int32_t>(*number);
            return;
        }
        telmora::showError(this, TextId::InvalidFloatValue);
        if (number && *number < 0 && *number >= -kMaxSeconds) {
            seconds = static_cast<std::int32_t>(*number); // asked again, pre-filled with it
            continue;
        }
        seconds = seconds < 0 ? before : seconds;
        cbxInterval->setCurrentIndex(seconds != 0 ? 1 : 0);
        return;
    }
}

} // namespace telmora
