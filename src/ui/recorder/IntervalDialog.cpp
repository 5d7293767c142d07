#include "ui/recorder/IntervalDialog.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/DialogPlacement.h"
#include "ui/common/MessageBox.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <charconv>

namespace telmora {

namespace {

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
    m_inputProvider = std::move(provider);
}

IntervalDialog::IntervalDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("intervalDialog"));
    setWindowTitle(text(TextId::IntervalDialogCaption));
    MakeDialogFrame(*this);
    setWindowIcon(AppIcon());
    buildControls();
    computeLayout();
    m_intervalList->setCurrentIndex(1);
    DialogPlacement::attach(*this);
}

void IntervalDialog::buildControls() {
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("intervalIcon"));
    m_icon->setPixmap(AppIconPixmap(32));

    m_modeGroup = new QGroupBox(text(TextId::IntervalModeGroup), this);
    m_modeGroup->setObjectName(QStringLiteral("intervalModeGroup"));
    m_manualButton = new QRadioButton(text(TextId::IntervalManual), m_modeGroup);
    m_manualButton->setObjectName(QStringLiteral("manualButton"));
    m_automaticButton = new QRadioButton(text(TextId::IntervalAutomatic), m_modeGroup);
    m_automaticButton->setObjectName(QStringLiteral("automaticButton"));
    m_intervalList = new QComboBox(m_modeGroup);
    m_intervalList->setObjectName(QStringLiteral("intervalBox"));
    m_intervalList->setEditable(false);
    m_intervalList->addItem(text(TextId::IntervalFullSpeed));
    m_intervalList->addItem(text(TextId::IntervalCustom));

    m_bevel = new QFrame(this);
    m_bevel->setObjectName(QStringLiteral("separator"));
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);

    m_okButton = new QPushButton(translate("IntervalDialog", "OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(translate("IntervalDialog", "Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    m_okButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_manualButton, &QRadioButton::clicked, this, &IntervalDialog::followModeChoice);
    connect(m_automaticButton, &QRadioButton::clicked, this, &IntervalDialog::followModeChoice);
    connect(m_intervalList, &QComboBox::activated, this, &IntervalDialog::chooseInterval);
}

void IntervalDialog::computeLayout() {
    const QSize iconSize = m_icon->pixmap().deviceIndependentSize().toSize();
    m_icon->setGeometry(5, 5, iconSize.width(), iconSize.height());

    // The list is as wide as its longest choice (plus the arrow and frame the style needs).
    const QFontMetrics fm(m_intervalList->font());
    m_intervalList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int listWidth = std::max(m_intervalList->sizeHint().width(),
                                   fm.horizontalAdvance(text(TextId::IntervalCustom)));
    const int listHeight = m_intervalList->sizeHint().height();

    const int groupTop = 5;
    const int groupLeft = m_icon->geometry().right() + 1 + 5;
    const int titleHeight = fm.height() + 6;
    const QSize manualSize = m_manualButton->sizeHint();
    const QSize autoSize = m_automaticButton->sizeHint();
    m_manualButton->setGeometry(5, titleHeight + 4, manualSize.width(), manualSize.height());
    const int autoTop = m_manualButton->geometry().bottom() + 1 + 8;
    const int rowHeight = std::max(autoSize.height(), listHeight);
    m_automaticButton->setGeometry(5, autoTop + (rowHeight - autoSize.height()) / 2,
                                   autoSize.width(), autoSize.height());
    const int listLeft = m_automaticButton->geometry().right() + 1 + 5;
    m_intervalList->setGeometry(listLeft, autoTop + (rowHeight - listHeight) / 2, listWidth,
                                listHeight);
    const int groupWidth = m_intervalList->geometry().right() + 1 + 5;
    const int groupHeight = autoTop + rowHeight + 8;
    m_modeGroup->setGeometry(groupLeft, groupTop, groupWidth, groupHeight);

    // Wide enough to show the caption uncut; the bevel and the buttons follow.
    const int dialogWidth = std::max(iconSize.width() + groupWidth + 25,
                                     MessageBoxCaptionWidth(windowTitle(), style()));
    const int bevelTop = m_modeGroup->geometry().bottom() + 1 + 5;
    m_bevel->setGeometry(5, bevelTop, dialogWidth - 15, 3);

    const int buttonTop = bevelTop + 3 + 5;
    const QSize okSize = m_okButton->sizeHint().expandedTo(m_cancelButton->sizeHint());
    const int centre = dialogWidth / 2;
    m_okButton->setGeometry(centre - 10 - okSize.width(), buttonTop, okSize.width(),
                            okSize.height());
    m_cancelButton->setGeometry(centre + 10, buttonTop, okSize.width(), okSize.height());
    setFixedSize(dialogWidth, buttonTop + okSize.height() + 8);
}

int IntervalDialog::execFor(AcquisitionMode mode, std::int32_t seconds) {
    showSettings(mode, seconds);
    return exec();
}

void IntervalDialog::showSettings(AcquisitionMode mode, std::int32_t seconds) {
    m_mode = mode;
    m_seconds = seconds;
    const bool manual = mode == AcquisitionMode::Manual;
    m_manualButton->setChecked(manual);
    m_automaticButton->setChecked(!manual);
    m_intervalList->setEnabled(!manual);
    showIntervalChoice();
}

// The list shows "Customization..." for whole seconds and the first choice for full speed.
void IntervalDialog::showIntervalChoice() {
    m_intervalList->setCurrentIndex(m_seconds != 0 ? 1 : 0);
}

void IntervalDialog::followModeChoice() {
    m_mode = m_manualButton->isChecked() ? AcquisitionMode::Manual : AcquisitionMode::Automatic;
    m_intervalList->setEnabled(m_automaticButton->isChecked());
}

std::optional<QString> IntervalDialog::askSeconds(const QString& prefill) {
    if (m_inputProvider)
        return m_inputProvider(prefill);
    QInputDialog question(this);
    question.setWindowTitle(text(TextId::IntervalSeconds));
    question.setLabelText(text(TextId::IntervalSecondsPrompt));
    question.setInputMode(QInputDialog::TextInput);
    question.setTextValue(prefill);
    // A question of fixed size, as wide as its caption needs.
    question.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    MakeDialogFrame(question);
    DialogPlacement::attach(question);
    if (question.exec() != QDialog::Accepted)
        return std::nullopt;
    return question.textValue();
}

void IntervalDialog::chooseInterval() {
    if (m_intervalList->currentIndex() == 0) {
        m_seconds = 0;
        return;
    }
    // "Customization...": ask until the answer is a whole number of seconds that is
    // not negative. A text that is not a whole number (or too large) keeps the
    // earlier seconds; Cancel keeps them too and ends the question.
    const std::int32_t before = m_seconds;
    for (;;) {
        const auto answer = askSeconds(QString::number(m_seconds));
        if (!answer) {
            m_seconds = before;
            showIntervalChoice();
            return;
        }
        const auto number = parseInteger(*answer);
        if (number && *number >= 0 && *number <= kMaxSeconds) {
            m_seconds = static_cast<std::int32_t>(*number);
            return;
        }
        // Whole seconds only: the message says so instead of blaming the number's form.
        m_dialogs.showDirectBox(
            this, fillNumbers(text(TextId::IntervalNotWholeSeconds), {kMaxSeconds}),
            CaptionKind::Error, TextId::IntervalNotWholeSeconds, BoxIcon::Error, {BoxButton::Ok});
        if (number && *number < 0 && *number >= -kMaxSeconds) {
            m_seconds = static_cast<std::int32_t>(*number); // asked again, pre-filled with it
            continue;
        }
        m_seconds = m_seconds < 0 ? before : m_seconds;
        showIntervalChoice();
        return;
    }
}

} // namespace telmora
