#include "ui/chart/ChartWidget.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "ui/chart/ChartPrintJob.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/export/pictureexport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

using namespace telmora;

namespace {

using Chart = ChartWidget;

// A graph set up like the recorder's page: 200 points, manual range, zoom on.
void setUpPage(ChartWidget& g) {
    g.setMainTitle("Data Logger");
    g.setYAxisLabel("Reading");
    g.setXAxisLabel("Time");
    g.setNullValue(-99999.0);
    g.setPointCount(200);
    g.setVisiblePoints(200);
    g.setGraphBackColor(Qt::black);
    g.setGraphForeColor(QColor(128, 0, 128));
    g.setLineColor(QColor(192, 192, 192));
    g.setYRange(-13.3, 13.3);
    g.setViewStart(Chart::ViewStart::LastPoint);
    g.setPointSize(Chart::PointSize::Large);
    g.setGridStyle(Chart::GridStyle::Dotted);
    g.setCursorMode(Chart::CursorMode::VerticalLine);
    g.setMouseMovesCursor(true);
    g.setZoomMode(Chart::ZoomMode::Both);
    g.refresh();
}

void fillWave(ChartWidget& g) {
    for (int i = 0; i < g.pointCount(); ++i) {
        g.setValue(i, float(std::sin(i / 8.0) * 10.0));
        g.setPointLabel(i, QString(" 10:%1:00.0").arg(i % 60, 2, 10, QChar('0')));
    }
    g.refresh();
}

int pdfPages(const QString& path) {
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = pdf.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(bytes).count(page));
}

// A graph printer whose target is a PDF file.
class PdfPrinter {
public:
    explicit PdfPrinter(const QString& path) : m_printer(GraphPrinter::make()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(path);
    }
    QPrinter& printer() { return *m_printer; }

private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace

TEST(ChartWidget, SeriesAppendBoundsAndCursorClamp) {
    ChartWidget g;
    setUpPage(g);
    EXPECT_EQ(g.pointCount(), 200);
    EXPECT_EQ(g.value(0), -99999.0f);
    EXPECT_EQ(g.pointLabel(0), " ");
    g.appendPoint(" 10:00:00.1", 1.5f);
    g.appendPoint(" 10:00:00.2", 2.5f);
    EXPECT_EQ(g.pointCount(), 200);
    EXPECT_EQ(g.value(199), 2.5f);
    EXPECT_EQ(g.value(198), 1.5f);
    EXPECT_EQ(g.pointLabel(198), " 10:00:00.1");
    EXPECT_EQ(g.value(197), -99999.0f);

    // Writes outside the series are ignored, reads give the null value.
    g.setValue(200, 5.0f);
    g.setValue(-1, 5.0f);
    g.setPointLabel(-1, "x");
    EXPECT_EQ(g.value(-5), -99999.0f);
    EXPECT_EQ(g.value(200), -99999.0f);
    EXPECT_TRUE(g.pointLabel(500).isEmpty());

    g.setCursorPoint(1000);
    EXPECT_EQ(g.cursorPoint(), 199);
    g.setPointCount(10);
    EXPECT_EQ(g.cursorPoint(), 9);
    g.setCursorPoint(-3);
    EXPECT_EQ(g.cursorPoint(), 0);

    // A whole series at once; missing labels become one blank.
    g.setSeries({1.0f, 2.0f, 3.0f}, {" a", " b"});
    EXPECT_EQ(g.pointCount(), 3);
    EXPECT_EQ(g.value(2), 3.0f);
    EXPECT_EQ(g.pointLabel(1), " b");
    EXPECT_EQ(g.pointLabel(2), " ");
}

TEST(ChartWidget, YRangeIsManualOnceSetAndFollowsTheValuesBefore) {
    ChartWidget automatic;
    automatic.setSeries({2.0f, 4.0f, -99999.0f}, {});
    automatic.refresh();
    // The null value is no value: the range is 2..4 plus a tenth on each side.
    EXPECT_NEAR(automatic.yRange().lower, 1.8, 1e-9);
    EXPECT_NEAR(automatic.yRange().upper, 4.2, 1e-9);

    ChartWidget manual;
    setUpPage(manual);
    EXPECT_DOUBLE_EQ(manual.yRange().lower, -13.3);
    EXPECT_DOUBLE_EQ(manual.yRange().upper, 13.3);
    manual.setYRange(-1.0, 1.0);
    EXPECT_DOUBLE_EQ(manual.yRange().lower, -1.0);
    manual.setLineColor(Qt::green);
    EXPECT_EQ(manual.lineColor(), QColor(Qt::green));
    EXPECT_EQ(ChartWidget().lineColor(), QColor(Qt::blue)); // the default line
}

TEST(ChartWidget, ArrowKeysMoveTheCursorAndReportIt) {
    ChartWidget g;
    setUpPage(g);
    g.resize(800, 400);
    g.setCursorPoint(199);
    QList<int> moved;
    QList<int> keys;
    QObject::connect(&g, &ChartWidget::cursorMoved, [&](int point) { moved << point; });
    QObject::connect(&g, &ChartWidget::keyPressed,
                     [&](int key, Qt::KeyboardModifiers) { keys << key; });
    QWidget* plot = g.focusProxy();
    ASSERT_NE(plot, nullptr);
    for (int key :
         {int(Qt::Key_Left), int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_PageUp)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(plot, &press);
    }
    EXPECT_EQ(g.cursorPoint(), 198);
    ASSERT_EQ(moved.size(), 3);
    EXPECT_EQ(moved.at(0), 198);
    EXPECT_EQ(moved.at(2), 198);
    ASSERT_EQ(keys.size(), 4);
    EXPECT_EQ(keys.last(), int(Qt::Key_PageUp));
    // Home goes to the first point; at the left end nothing more is reported.
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(plot, &home);
    EXPECT_EQ(g.cursorPoint(), 0);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(plot, &left);
    EXPECT_EQ(moved.size(), 4);

    // Without a cursor the keys move nothing.
    g.setCursorMode(Chart::CursorMode::None);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(plot, &end);
    EXPECT_EQ(g.cursorPoint(), 0);
}

TEST(ChartWidget, ZoomBoxZoomsInResetZoomRestoresAndAClickMovesTheCursor) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    g.resize(800, 400);
    g.show();
    g.refresh();
    QApplication::processEvents();
    int zooms = 0;
    QList<int> moved;
    QObject::connect(&g, &ChartWidget::zoomed, [&] { ++zooms; });
    QObject::connect(&g, &ChartWidget::cursorMoved, [&](int point) { moved << point; });
    QWidget* plot = g.focusProxy();
    auto send = [&](QEvent::Type type, QPointF pos, Qt::MouseButtons buttons) {
        QMouseEvent e(type, pos, plot->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(plot, &e);
    };
    send(QEvent::MouseButtonPress, QPointF(300, 150), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(350, 180), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(450, 250), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPointF(450, 250), Qt::NoButton);
    EXPECT_EQ(zooms, 1);
    EXPECT_TRUE(g.isZoomed());
    const QImage zoomedImage = g.renderImage(QSize(800, 400));
    // While zoomed, a refresh keeps the zoomed view.
    g.refresh();
    EXPECT_TRUE(g.isZoomed());
    g.resetZoom();
    EXPECT_FALSE(g.isZoomed());
    EXPECT_NE(g.renderImage(QSize(800, 400)), zoomedImage);

    send(QEvent::MouseButtonPress, QPointF(400, 200), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPointF(400, 200), Qt::NoButton);
    EXPECT_EQ(zooms, 1);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0), g.cursorPoint());
    EXPECT_GT(g.cursorPoint(), 50);
    EXPECT_LT(g.cursorPoint(), 150);
}

TEST(ChartWidget, TheZoomBoxShowsWhileItIsDragged) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    g.resize(800, 400);
    g.show();
    g.refresh();
    QApplication::processEvents();
    QWidget* plot = g.focusProxy();
    auto send = [&](QEvent::Type type, QPointF pos, Qt::MouseButtons buttons) {
        QMouseEvent e(type, pos, plot->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(plot, &e);
    };
    // The pixels along the box's top edge, away from where the press puts the cursor.
    const auto topEdge = [&] {
        QApplication::processEvents();
        const QImage image = plot->grab().toImage();
        QList<QRgb> row;
        for (int x = 320; x <= 440; ++x)
            row << image.pixel(x, 150);
        return row;
    };
    const QList<QRgb> before = topEdge();
    send(QEvent::MouseButtonPress, QPointF(300, 150), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(350, 180), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(450, 250), Qt::LeftButton);
    const QList<QRgb> dragging = topEdge();
    int boxPixels = 0;
    for (qsizetype i = 0; i < before.size(); ++i)
        boxPixels += dragging[i] != before[i] ? 1 : 0;
    EXPECT_GT(boxPixels, 20) << "the box is drawn while it is dragged";

    send(QEvent::MouseButtonRelease, QPointF(450, 250), Qt::NoButton);
    EXPECT_TRUE(g.isZoomed());
}

TEST(ChartWidget, BitmapAndSvgPicturesHaveTheAskedSizes) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    g.resize(900, 450);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    ASSERT_TRUE(g.exportImage(dir.filePath("page.png"), QSize(640, 320)));
    EXPECT_EQ(QImage(dir.filePath("page.png")).size(), QSize(640, 320));
    ASSERT_TRUE(g.exportImage(dir.filePath("page.BMP"), QSize(300, 200)));
    QFile bmp(dir.filePath("page.BMP"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));
    // No size: the widget's size, at least 640 x 400; sizes are kept inside limits.
    ASSERT_TRUE(g.exportImage(dir.filePath("screen.png"), QSize()));
    EXPECT_EQ(QImage(dir.filePath("screen.png")).size(), QSize(900, 450));
    ASSERT_TRUE(g.exportImage(dir.filePath("huge.png"), QSize(9000, 5)));
    EXPECT_EQ(QImage(dir.filePath("huge.png")).size(), QSize(8000, 16));

    ASSERT_TRUE(g.exportSvg(dir.filePath("page.svg"), QSizeF(100.0, 68.1)));
    QFile svg(dir.filePath("page.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll();
    EXPECT_TRUE(svgText.contains("width=\"100.00mm\""));
    EXPECT_TRUE(svgText.contains("height=\"68.10mm\""));
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 1000 681\""));

    // Unwritable destinations fail instead of pretending.
    EXPECT_FALSE(g.exportImage(QStringLiteral("/nonexistent-dir/page.png"), QSize(10, 10)));
    EXPECT_FALSE(g.exportSvg(QString(), QSizeF(10, 10)));
}

TEST(ChartWidget, ClipboardGetsTheBitmapOrTheSvgWithABitmapBesideIt) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    g.copyImage(QSize(500, 300));
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(500, 300));

    g.copySvg(QSizeF(50.0, 25.0));
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data("image/svg+xml").contains("width=\"50.00mm\""));
    EXPECT_EQ(qvariant_cast<QImage>(mime->imageData()).size(), QSize(1000, 500));
}

TEST(ChartWidget, MonochromeDrawsNoColourAndANullValueIsAGap) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    auto colouredPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += std::abs(c.red() - c.green()) > 40 || std::abs(c.green() - c.blue()) > 40;
            }
        return count;
    };
    EXPECT_GT(colouredPixels(g.renderImage(QSize(400, 200))), 0); // the purple grid
    g.setViewingStyle(Chart::ViewingStyle::Monochrome);
    g.restyle();
    EXPECT_EQ(g.viewingStyle(), Chart::ViewingStyle::Monochrome);
    EXPECT_EQ(colouredPixels(g.renderImage(QSize(400, 200))), 0);
    g.setViewingStyle(Chart::ViewingStyle::Colour);

    // Nulls in the middle: less of the line is drawn.
    g.setGraphBackColor(Qt::white);
    g.setGridLines(Chart::GridLines::None);
    g.setLineColor(Qt::black);
    g.setCursorMode(Chart::CursorMode::None);
    g.refresh();
    auto darkPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 20; y < image.height() - 40; ++y)
            for (int x = 120; x < image.width() - 60; ++x)
                count += image.pixelColor(x, y).lightness() < 80;
        return count;
    };
    const int whole = darkPixels(g.renderImage(QSize(800, 400)));
    for (int i = 60; i < 140; ++i)
        g.setValue(i, -99999.0f);
    g.refresh();
    EXPECT_LT(darkPixels(g.renderImage(QSize(800, 400))), whole * 3 / 4);
}

TEST(ChartWidget, PrintingToPdfGivesOnePagePerPrintedPage) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        PdfPrinter pdf(dir.filePath("one.pdf"));
        ASSERT_TRUE(g.print(pdf.printer()));
    }
    EXPECT_EQ(pdfPages(dir.filePath("one.pdf")), 1);
    {
        PdfPrinter pdf(dir.filePath("three.pdf"));
        ChartPrintJob job(pdf.printer());
        ASSERT_TRUE(job.isActive());
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(job.addPage(g));
        ASSERT_TRUE(job.finish());
        EXPECT_FALSE(job.addPage(g)); // an ended job takes no more pages
    }
    EXPECT_EQ(pdfPages(dir.filePath("three.pdf")), 3);

    // A printer without a name, or a PDF printer without a file, is no printer:
    // nothing is printed. (Without a print system Qt makes every printer a PDF
    // printer.)
    QPrinter none;
    none.setPrinterName(QString());
    none.setOutputFileName(QString());
    EXPECT_FALSE(ChartPrintJob::printerReady(none));
    EXPECT_FALSE(g.print(none));
}

TEST(PictureExport, PrintsEveryPageOfTheRangeInMonochromeAndShowsTheCurrentPageAgain) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QList<int> shown;
    QList<Chart::ViewingStyle> styles;
    auto showPage = [&](int page) {
        shown << page;
        styles << g.viewingStyle();
    };
    PictureExportRequest request{
        ExportType::MetaFile, ExportDestination::Printer, QString(), QSize(10000, 6810), 2, 5, 3};
    int dialogs = 0;
    ScriptedDialogs user;
    user.onPrint = [&](const PrintDialogRequest& r) {
        ++dialogs;
        EXPECT_EQ(r.pageCount, 4);
        return true;
    };
    {
        PdfPrinter pdf(dir.filePath("pages.pdf"));
        EXPECT_EQ(exportChartPictures(user, g, request, pdf.printer(), nullptr, showPage),
                  PictureExportResult::Done);
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(pdfPages(dir.filePath("pages.pdf")), 4);
    EXPECT_EQ(shown, QList<int>({2, 3, 4, 5, 3}));
    EXPECT_EQ(g.viewingStyle(), Chart::ViewingStyle::Colour);
    EXPECT_EQ(styles.first(), Chart::ViewingStyle::Colour);
}

TEST(PictureExport, FileAndClipboardTakeOnePageAndReportAFailedWrite) {
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QList<int> shown;
    auto showPage = [&](int page) { shown << page; };
    // Pictures for files and the clipboard never touch the printer.
    GraphPrinter printer(nullptr);
    ScriptedDialogs user;

    PictureExportRequest request{ExportType::BitMap,
                                 ExportDestination::File,
                                 dir.filePath("p.png"),
                                 QSize(1000, 681),
                                 4,
                                 4,
                                 7};
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr, showPage),
              PictureExportResult::Done);
    EXPECT_EQ(QImage(dir.filePath("p.png")).size(), QSize(1000, 681));
    EXPECT_EQ(shown, QList<int>({4, 7}));

    request.type = ExportType::MetaFile;
    request.path = dir.filePath("p.svg");
    request.size = QSize(5080, 2540); // hundredths of a millimetre
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr),
              PictureExportResult::Done);
    QFile svg(dir.filePath("p.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("width=\"50.80mm\""));

    request.path = QStringLiteral("/nonexistent-dir/p.svg");
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr),
              PictureExportResult::WriteFailed);

    request.destination = ExportDestination::ClipBoard;
    request.type = ExportType::BitMap;
    request.size = QSize(320, 240);
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr),
              PictureExportResult::Done);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(320, 240));
}

TEST(PictureExport, AFullDiskKeepsTheOldPicturesAndGivesTheReason) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    ChartWidget g;
    setUpPage(g);
    fillWave(g);
    GraphPrinter printer(nullptr);
    ScriptedDialogs user;
    const QByteArray old = "an older picture";
    ASSERT_TRUE(disk.put(QStringLiteral("p.png"), old));
    ASSERT_TRUE(disk.put(QStringLiteral("p.svg"), old));
    ASSERT_TRUE(disk.fill());

    // A picture small enough to sit in a write buffer until the end.
    PictureExportRequest request{ExportType::BitMap, ExportDestination::File,
                                 disk.path(QStringLiteral("p.png")), QSize(16, 16)};
    QString reason;
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr, {}, &reason),
              PictureExportResult::WriteFailed);
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));
    reason.clear();
    request.type = ExportType::MetaFile;
    request.path = disk.path(QStringLiteral("p.svg"));
    EXPECT_EQ(exportChartPictures(user, g, request, printer.get(), nullptr, {}, &reason),
              PictureExportResult::WriteFailed);
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));
    EXPECT_EQ(disk.read(QStringLiteral("p.png")), old);
    EXPECT_EQ(disk.read(QStringLiteral("p.svg")), old);
    EXPECT_EQ(disk.files(), QStringList({QStringLiteral("filler"), QStringLiteral("p.png"),
                                         QStringLiteral("p.svg")}));
}

TEST(GraphPrinterTest, UsesTheSharedPrinterOrOneOfItsOwn) {
    const auto shared = GraphPrinter::make();
    EXPECT_EQ(shared->resolution(), QPrinter(QPrinter::HighResolution).resolution());
    GraphPrinter first(shared.get());
    GraphPrinter second(shared.get());
    EXPECT_EQ(&first.get(), shared.get());
    EXPECT_EQ(&second.get(), shared.get());

    // Windows built without a shared printer do not see each other's set-up.
    GraphPrinter alone(nullptr);
    GraphPrinter other(nullptr);
    EXPECT_NE(&alone.get(), shared.get());
    EXPECT_NE(&alone.get(), &other.get());
    alone.get().setPageOrientation(QPageLayout::Landscape);
    EXPECT_NE(other.get().pageLayout().orientation(), QPageLayout::Landscape);
}

// The plot fills its desk colour only around an opaque graph area: every pixel
// must still be painted over, with an opaque graph area and with one that lets
// the desk show through. Painted over two different colours, the pictures must be
// the same.
TEST(ChartWidget, NothingBehindThePlotShowsThrough) {
    const QColor desk(200, 180, 40);
    for (const QColor back : {QColor(Qt::black), QColor(0, 0, 80, 128)}) {
        ChartWidget g;
        setUpPage(g);
        g.setDeskColor(desk);
        g.setGraphBackColor(back);
        fillWave(g);
        g.resize(640, 360);
        g.show();
        QApplication::processEvents();
        auto* plot = static_cast<QCustomPlot*>(g.focusProxy());
        plot->replot();
        const auto paintedOver = [plot](const QColor& behind) {
            QImage image(plot->size(), QImage::Format_RGB32);
            image.fill(behind);
            plot->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
            return image;
        };
        const QImage overMagenta = paintedOver(QColor(255, 0, 255));
        const QImage overGreen = paintedOver(QColor(0, 255, 0));
        EXPECT_TRUE(overMagenta == overGreen) << "graph background alpha " << back.alpha();
        EXPECT_EQ(overMagenta.pixel(1, 1), desk.rgb()) << "the desk colour";
    }
}

namespace {

// The largest difference of two pictures of the same size in any colour channel.
int largestDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 256;
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            largest = std::max({largest, std::abs(qRed(p[col]) - qRed(q[col])),
                                std::abs(qGreen(p[col]) - qGreen(q[col])),
                                std::abs(qBlue(p[col]) - qBlue(q[col]))});
    }
    return largest;
}

} // namespace

// The chart paints itself straight onto the window; while the zoom box is dragged
// it paints from the layers' pictures instead. Both show the same (but for the
// rounding of smoothed edges drawn through a transparent picture), before and
// after the chart changed, and nothing of an earlier picture is left.
TEST(ChartWidget, PaintingDirectlyShowsWhatThePicturesShow) {
    ChartWidget g;
    setUpPage(g);
    g.setDeskColor(QColor(200, 180, 40));
    fillWave(g);
    g.resize(640, 360);
    g.show();
    auto* plot = static_cast<QCustomPlot*>(g.focusProxy());
    QCPLayer* overlay = plot->layer(QStringLiteral("overlay"));
    ASSERT_NE(overlay, nullptr);
    const auto both = [&] {
        QApplication::processEvents();
        const QImage direct = plot->grab().toImage();
        overlay->setMode(QCPLayer::lmBuffered);
        plot->replot();
        const QImage pictures = plot->grab().toImage();
        overlay->setMode(QCPLayer::lmLogical);
        return std::pair(direct, pictures);
    };
    const auto [direct, pictures] = both();
    EXPECT_LE(largestDifference(direct, pictures), 1);
    // Another wave and a longer unit widen the margins: the desk follows.
    for (int i = 0; i < g.pointCount(); ++i)
        g.setValue(i, static_cast<float>(1000.0 * std::cos(i / 7.0)));
    g.setYRange(-1500.0, 1500.0);
    g.refresh();
    const auto [changed, changedPictures] = both();
    EXPECT_LE(largestDifference(changed, changedPictures), 1);
    EXPECT_GT(largestDifference(changed, direct), 100);
}

// A chart that changed while its window was closed shows the current picture as
// soon as it is shown again.
TEST(ChartWidget, AChartChangedWhileHiddenShowsTheChangeWhenShown) {
    const auto flatten = [](ChartWidget& g) {
        for (int i = 0; i < g.pointCount(); ++i)
            g.setValue(i, 2.0f);
        g.refresh();
    };
    const auto picture = [](ChartWidget& g) {
        QApplication::processEvents();
        return g.focusProxy()->grab().toImage();
    };
    ChartWidget changed;
    ChartWidget fresh;
    for (ChartWidget* g : {&changed, &fresh}) {
        setUpPage(*g);
        fillWave(*g);
        g->resize(640, 360);
    }
    changed.show();
    const QImage wave = picture(changed);
    changed.hide();
    flatten(changed);
    changed.show();
    flatten(fresh);
    fresh.show();
    const QImage shown = picture(changed);
    EXPECT_FALSE(shown == wave);
    EXPECT_TRUE(shown == picture(fresh));
}
