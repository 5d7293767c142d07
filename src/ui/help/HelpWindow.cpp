#include "ui/help/HelpWindow.h"

#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/UiResources.h"
#include "ui/help/helpanchors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace telmora {

namespace {

constexpr int kAnchorRole = Qt::UserRole;
// Where the heading of a contents entry stands in the document.
constexpr int kPositionRole = Qt::UserRole + 1;

QUrl sectionUrl(const QString& anchor) {
    QUrl url(QString::fromLatin1(kManualUrl));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

// The first anchor name in `block` (a heading's id), or an empty text.
QString blockAnchor(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty())
            return names.first();
    }
    return {};
}

// Where the element with id `anchor` stands in `document`; -1 when nowhere.
int anchorPosition(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return it.fragment().position();
    return -1;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitUiResources();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(text(TextId::ProgramName) + QLatin1Char(' ') + translate("HelpWindow", "Help"));
    setWindowIcon(AppIcon());
    buildControls();
    m_browser->setSource(sectionUrl(QString()));
    fillContents();
    resize(1000, 720);
}

void HelpWindow::buildControls() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* tools = new QHBoxLayout;
    column->addLayout(tools);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 740});
    column->addWidget(splitter, 1);

    const auto tool = [&](QStyle::StandardPixmap icon, const QString& tip, auto slot) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, m_browser, slot);
        tools->addWidget(b);
        return b;
    };
    QToolButton* back =
        tool(QStyle::SP_ArrowBack, translate("HelpWindow", "Back"), &QTextBrowser::backward);
    QToolButton* forward =
        tool(QStyle::SP_ArrowForward, translate("HelpWindow", "Forward"), &QTextBrowser::forward);
    tool(QStyle::SP_DirHomeIcon, translate("HelpWindow", "Contents"), &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    tools->addStretch(1);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("helpFind"));
    m_find->setPlaceholderText(translate("HelpWindow", "Find in the manual (Ctrl+F)"));
    m_find->setClearButtonEnabled(true);
    m_find->setMinimumWidth(260);
    tools->addWidget(m_find);
    connect(m_find, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_find, &QLineEdit::textEdited, this, [this] { m_find->setStyleSheet(QString()); });
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_browser->setSource(sectionUrl(item->data(0, kAnchorRole).toString()));
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::selectContentsEntry);
}

void HelpWindow::fillContents() {
    m_contents->clear();
    QTreeWidgetItem* chapter = nullptr;
    const QTextDocument* document = m_browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3)
            continue;
        const QString anchor = blockAnchor(block);
        if (anchor.isEmpty())
            continue;
        QTreeWidgetItem* item = nullptr;
        if (level == 3 && chapter != nullptr) {
            item = new QTreeWidgetItem(chapter);
        } else {
            item = new QTreeWidgetItem(m_contents);
            chapter = item;
        }
        item->setText(0, block.text().simplified());
        item->setData(0, kAnchorRole, anchor);
        item->setData(0, kPositionRole, block.position());
    }
}

void HelpWindow::selectContentsEntry(const QUrl& source) {
    // The entry of the section the anchor lies in: the last heading before it.
    const int position = anchorPosition(*m_browser->document(), source.fragment());
    QTreeWidgetItem* section = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it)
        if ((*it)->data(0, kPositionRole).toInt() <= position)
            section = *it;
    if (section == nullptr) {
        m_contents->setCurrentItem(nullptr);
        return;
    }
    m_contents->setCurrentItem(section);
    m_contents->scrollToItem(section);
}

void HelpWindow::findNext() {
    const QString wanted = m_find->text();
    if (wanted.isEmpty())
        return;
    // Without a match shown yet, the search starts at the top of what is in view.
    if (!m_browser->textCursor().hasSelection())
        m_browser->setTextCursor(m_browser->cursorForPosition(QPoint(0, 0)));
    bool found = m_browser->find(wanted);
    if (!found) {
        // From the top again.
        QTextCursor top = m_browser->textCursor();
        top.movePosition(QTextCursor::Start);
        m_browser->setTextCursor(top);
        found = m_browser->find(wanted);
    }
    m_find->setStyleSheet(found ? QString() : QStringLiteral("color: red;"));
}

QString HelpWindow::currentAnchor() const {
    return m_browser->source().fragment();
}

void HelpWindow::showSection(const QString& anchor) {
    m_browser->setSource(sectionUrl(anchor));
    // A window shown beside a modal one could not be used until that one closed.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide(); // modality changes take effect on the next show
        setWindowModality(wanted);
    }
    placeOnScreen();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HelpWindow::placeOnScreen() {
    if (m_placed)
        return;
    m_placed = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    QRect frame = geometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

} // namespace telmora
