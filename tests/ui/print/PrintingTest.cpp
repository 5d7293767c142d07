// Printed graphs, read back from the PDF they were printed to: every printable
// view prints with text of one size in points under a header line, a printed page range
// is one job of one page per session, and a printer that cannot print is
// reported, never passed over in silence.

#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "SwitchableBackend.h"
#include "print/pdftext.h"

#include "ScriptedDialogs.h"
#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "recording/RecorderController.h"
#include "recording/Recording.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/export/ExportDialog.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/logger/SessionGraphView.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace telmora;
using namespace telmora::test;

namespace {

FakeLiveSource g_live;

SampleEntry sample(float value, int i) {
    SampleEntry e;
    e.main.value = value;
    e.main.displayText.assign(std::to_string(int(value)));
    e.main.timeText.assign(" 9:" + std::to_string(10 + i / 60 % 50) + ":" +
                           std::to_string(10 + i % 50) + ".0");
    e.main.unitText.assign("V");
    e.main.functionCode = 0x6;
    e.main.modeText.assign("DC");
    return e;
}

float wave(int i) {
    return float(std::sin(i * 0.05) * 10.0);
}

// Text on paper has one size in points, whatever window or orientation it was
// printed from: tick labels of 7 to 12 points, titles of at most 18.
void expectPointSize(const PdfWord& word, double smallest, double largest) {
    EXPECT_GE(word.box.height(), smallest) << qPrintable(word.text) << " is too small on paper";
    EXPECT_LE(word.box.height(), largest) << qPrintable(word.text) << " is too large on paper";
}

// A printed page: the header line at the very top (what, when, page n of m), the
// graph's title below it, tick labels of a fixed size with the time axis at the
// bottom of the page, and no two words on top of each other.
void expectPrintedPage(const PdfPage& page, const QString& titleWord, const QString& document,
                       int pageNumber, int pageTotal) {
    const double height = page.size.height();
    const std::optional<PdfWord> printed = page.word(QStringLiteral("printed"));
    ASSERT_TRUE(printed.has_value()) << "no header line";
    EXPECT_LT(printed->box.top(), height * 0.05);
    const std::optional<PdfWord> name = page.word(document);
    ASSERT_TRUE(name.has_value()) << qPrintable(document);
    EXPECT_LT(std::abs(name->box.top() - printed->box.top()), 1.0);
    QStringList header;
    for (const PdfWord& w : page.words)
        if (std::abs(w.box.top() - printed->box.top()) < 1.0)
            header << w.text;
    EXPECT_TRUE(header.join(QLatin1Char(' '))
                    .endsWith(QStringLiteral("page %1 of %2").arg(pageNumber).arg(pageTotal)))
        << qPrintable(header.join(QLatin1Char(' ')));

    const std::optional<PdfWord> title = page.word(titleWord);
    ASSERT_TRUE(title.has_value()) << qPrintable(titleWord);
    expectPointSize(*title, 7.0, 18.0);
    EXPECT_GT(title->box.top(), printed->box.bottom());
    EXPECT_LT(title->box.top(), height * 0.15);

    static const QRegularExpression time(QStringLiteral("^\\d+:\\d\\d:\\d\\d\\.\\d$"));
    static const QRegularExpression number(QStringLiteral("^-?\\d+\\.\\d+$"));
    const std::vector<PdfWord> times = page.wordsMatching(time);
    const std::vector<PdfWord> numbers = page.wordsMatching(number);
    ASSERT_GE(times.size(), 2u);
    ASSERT_GE(numbers.size(), 3u);
    for (const PdfWord& w : times) {
        expectPointSize(w, 7.0, 12.0);
        EXPECT_GT(w.box.bottom(), height * 0.85) << "the plot does not fill the page";
    }
    for (const PdfWord& w : numbers)
        expectPointSize(w, 7.0, 12.0);

    for (std::size_t i = 0; i < page.words.size(); ++i)
        for (std::size_t j = i + 1; j < page.words.size(); ++j)
            EXPECT_FALSE(page.words[i].box.adjusted(1, 1, -1, -1).intersects(page.words[j].box))
                << qPrintable(page.words[i].text) << " overlaps " << qPrintable(page.words[j].text);
}

QAction* menuAction(QWidget& window, TextId id) {
    for (QAction* a : window.findChildren<QAction*>())
        if (a->text() == text(id))
            return a;
    ADD_FAILURE() << textNumber(id);
    return nullptr;
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        m_user.onBox = [this](const BoxRequest& r) {
            boxes.push_back(r);
            return BoxButton::Ok;
        };
        // The print dialog: the user picks a PDF file in the chosen orientation.
        m_user.onPrint = [this](const PrintDialogRequest& r) {
            dialogs.push_back(r.pageCount);
            if (!target.isEmpty()) {
                r.printer->setOutputFormat(QPrinter::PdfFormat);
                r.printer->setOutputFileName(target);
            }
            r.printer->setPageOrientation(orientation);
            return accept;
        };
    }

    // Prints through `print` once per orientation and checks each printed page.
    void expectPrints(const QString& view, const QString& titleWord, const QString& document,
                      const std::function<void()>& print) {
        for (auto o : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            orientation = o;
            target = pdfPath(QStringLiteral("%1-%2.pdf")
                                 .arg(view, o == QPageLayout::Portrait ? "portrait" : "landscape"));
            print();
            const std::vector<PdfPage> pages = readPdfPages(target);
            ASSERT_EQ(pages.size(), 1u) << qPrintable(target);
            EXPECT_EQ(pages[0].size.width() > pages[0].size.height(), o == QPageLayout::Landscape);
            SCOPED_TRACE(o == QPageLayout::Portrait ? "portrait" : "landscape");
            expectPrintedPage(pages[0], titleWord, document, 1, 1);
        }
        EXPECT_EQ(dialogs, std::vector<int>({1, 1}));
        EXPECT_TRUE(boxes.empty());
    }

    // Printed pages stay in TELMORA_PRINT_DIR when it is set, to be looked at.
    QString pdfPath(const QString& name) const {
        const QString kept = qEnvironmentVariable("TELMORA_PRINT_DIR");
        return kept.isEmpty() ? dir.filePath(name) : QDir(kept).filePath(name);
    }

    QTemporaryDir dir;
    ScriptedDialogs m_user;
    std::vector<BoxRequest> boxes;
    std::vector<int> dialogs; // the page count of each print dialog shown
    QString target;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool accept = true;
};

// A data logger window over `count` sessions of 80 samples each.
struct LoggerForm {
    LoggerForm(UserDialogs& user, int count) : window{user, sessions} {
        std::vector<SampleList> lists(static_cast<std::size_t>(count));
        for (int s = 0; s < count; ++s)
            for (int i = 0; i < 80; ++i)
                lists[static_cast<std::size_t>(s)].append(sample(wave(i * (s + 1)), i));
        sessions.adopt(std::move(lists), true);
        window.resize(1000, 700);
        window.show();
    }
    ChartWidget& chart() { return window.graph().chart(); }

    CableAccess cable{std::make_shared<SwitchableBackend>()};
    LoggerSessions sessions{cable};
    LoggerWindow window;
};

} // namespace

TEST_F(PrintingTest, RecorderPagePrintsLikeTheScreen) {
    RecorderController controller(ReadingsOf(g_live), dir.path());
    RecorderWindow window(m_user, controller);
    for (int i = 0; i < 150; ++i)
        controller.addSample(sample(wave(i), i));
    window.resize(900, 650);
    window.show();
    ChartWidget& chart = *window.findChild<ChartWidget*>();
    auto* print = window.findChild<QToolButton*>(QStringLiteral("printButton"));
    ASSERT_NE(print, nullptr);
    expectPrints(QStringLiteral("recorder"), QStringLiteral("Logger"), QStringLiteral("unsaved"),
                 [&] { print->click(); });
    EXPECT_EQ(chart.viewingStyle(), ChartWidget::ViewingStyle::Colour);

    // Saved, the recording's pages name its file.
    ASSERT_TRUE(SaveAndWait(controller, dir.filePath(QStringLiteral("bench-test.g53"))));
    dialogs.clear();
    expectPrints(QStringLiteral("recorder-saved"), QStringLiteral("Logger"),
                 QStringLiteral("bench-test.g53"), [&] { print->click(); });
}

TEST_F(PrintingTest, OverviewPrintsLikeTheScreen) {
    Recording recording;
    for (int i = 0; i < 600; ++i)
        recording.addSample(sample(wave(i), i));
    RecordingOverview overview(m_user);
    overview.showRecording(recording);
    overview.resize(800, 560);
    overview.show();
    auto* print = overview.findChild<QToolButton*>(QStringLiteral("printButton"));
    ASSERT_NE(print, nullptr);
    expectPrints(QStringLiteral("overview"), QStringLiteral("Logger"), QStringLiteral("unsaved"),
                 [&] { print->click(); });
}

TEST_F(PrintingTest, LoggerSessionPrintsLikeTheScreen) {
    LoggerForm form(m_user, 2);
    QAction* print = menuAction(form.window, TextId::MenuFilePrintPage);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(print->isEnabled());
    expectPrints(QStringLiteral("session"), QStringLiteral("Session"), QStringLiteral("sessions"),
                 [&] { print->trigger(); });
}

// File -> Export -> BitMap -> Printer -> pages 2 to 4: the print dialog is shown
// although the printer still names the PDF file of an earlier print; the pages
// become one job in the file chosen there, and the earlier file is left alone.
TEST_F(PrintingTest, ExportedPageRangeIsOneJobWithAPagePerSession) {
    LoggerForm form(m_user, 5);
    const QString earlier = dir.filePath(QStringLiteral("earlier.pdf"));
    {
        QFile old(earlier);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier print");
    }
    form.window.printer().setOutputFormat(QPrinter::PdfFormat);
    form.window.printer().setOutputFileName(earlier);
    target = pdfPath(QStringLiteral("range.pdf"));
    orientation = QPageLayout::Landscape;
    const int shown = form.sessions.currentSession();

    m_user.onDialog = [](QDialog& shown) {
        auto* dlg = qobject_cast<ExportDialog*>(&shown);
        EXPECT_NE(dlg, nullptr);
        if (dlg == nullptr)
            return false;
        dlg->selectType(ExportType::BitMap);
        dlg->selectDestination(ExportDestination::Printer);
        dlg->selectPageScope(PageScope::Range);
        dlg->setPageRange(2, 4);
        dlg->setResult(QDialog::Rejected);
        dlg->confirmExport();
        return dlg->result() == QDialog::Accepted;
    };
    form.window.exportData();

    EXPECT_EQ(dialogs, std::vector<int>{3});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(pdfPageCount(target), 3);
    const std::vector<PdfPage> pages = readPdfPages(target);
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        // "Session 2" to "Session 4": the title's number follows the word.
        const std::optional<PdfWord> title = pages[p].word(QStringLiteral("Session"));
        ASSERT_TRUE(title.has_value());
        bool numbered = false;
        for (const PdfWord& w : pages[p].words)
            numbered = numbered || (w.text == QString::number(p + 2) &&
                                    std::abs(w.box.top() - title->box.top()) < 1.0);
        EXPECT_TRUE(numbered);
        expectPrintedPage(pages[p], QStringLiteral("Session"), QStringLiteral("sessions"), p + 1,
                          3);
    }
    QFile old(earlier);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("earlier print"));
    EXPECT_EQ(form.sessions.currentSession(), shown);
}

TEST_F(PrintingTest, APrinterThatCannotPrintIsReported) {
    ChartWidget chart;
    chart.setMainTitle(QStringLiteral("Data Logger"));
    chart.setPointCount(50);
    chart.refresh();
    auto printer = GraphPrinter::make();

    // Cancelled: nothing printed, nothing said.
    accept = false;
    target = dir.filePath(QStringLiteral("cancelled.pdf"));
    EXPECT_EQ(printChart(m_user, chart, *printer, nullptr), PrintOutcome::Cancelled);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(boxes.empty());

    // No printer and no file chosen.
    accept = true;
    target.clear();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString());
    EXPECT_EQ(printChart(m_user, chart, *printer, nullptr), PrintOutcome::Failed);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, errorCaption(TextId::PrinterNotSetUp));
    EXPECT_EQ(boxes[0].icon, BoxIcon::Error);

    // A file that cannot be written: the message names it.
    target = dir.filePath(QStringLiteral("missing/dir/page.pdf"));
    EXPECT_EQ(printChart(m_user, chart, *printer, nullptr), PrintOutcome::Failed);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, errorCaption(TextId::PrintFailed));
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("missing/dir/page.pdf")));
    EXPECT_EQ(chart.viewingStyle(), ChartWidget::ViewingStyle::Colour);
}
