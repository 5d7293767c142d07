#include "ui/chart/ChartWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>

using namespace telmora;

namespace {

// A graph set up like the recorder's page: 200 points, manual range, zoom on.
void setUpPage(ChartWidget& g) {
    g.setMainTitle("Data Logger");
    g.setYAxisLabel("Reading");
    g.setXAxisLabel("Time");
    g.setNullDataValue(-99999.0);
    g.setSubsets(1);
    g.setPoints(200);
    g.setMaxPointsToGraph(200);
    g.setPointsToGraph(200);
    g.setGraphBackColor(Qt::black);
    g.setGraphForeColor(QColor(128, 0, 128));
    g.setSubsetColors(0, QColor(192, 192, 192));
    g.setManualScaleControlY(3);
    g.setManualMinY(-13.3);
    g.setManualMaxY(13.3);
    g.setPointsToGraphInit(1);
    g.setPointSize(2);
    g.setGridStyle(2);
    g.setCursorMode(1);
    g.setMouseCursorControl(true);
    g.setAllowZooming(3);
    for (int i = 0; i < 200; ++i) {
        g.setPointLabels(i, " ");
        g.setYData(0, i, -99999.0f);
    }
    g.setPEactions(ChartWidget::Refresh);
}

QString outDir() {
    const QByteArray env = qgetenv("TELMORA_TEST_TMP");
    return env.isEmpty() ? QStringLiteral(".") : QString::fromLocal8Bit(env);
}

} // namespace

TEST(ChartWidget, TableModelAppendAndBounds) {
    ChartWidget g;
    setUpPage(g);
    EXPECT_EQ(g.yData(0, 0), -99999.0f);
    g.appendPoint(" 10:00:00.1", 1.5f);
    g.appendPoint(" 10:00:00.2", 2.5f);
    EXPECT_EQ(g.points(), 200);
    EXPECT_EQ(g.yData(0, 199), 2.5f);
    EXPECT_EQ(g.yData(0, 198), 1.5f);
    EXPECT_EQ(g.pointLabels(198), " 10:00:00.1");
    EXPECT_EQ(g.yData(0, 197), -99999.0f);

    // Writes outside the table are ignored, reads give the null value.
    g.setYData(1, 0, 5.0f);
    g.setYData(0, 200, 5.0f);
    g.setPointLabels(-1, "x");
    EXPECT_EQ(g.yData(1, 0), -99999.0f);
    EXPECT_EQ(g.yData(0, -5), -99999.0f);
    EXPECT_TRUE(g.pointLabels(500).isEmpty());

    g.setCursorPoint(1000);
    EXPECT_EQ(g.cursorPoint(), 199);
    g.setPoints(10);
    EXPECT_EQ(g.cursorPoint(), 9);
    g.setPEactions(ChartWidget::Refresh);
}

TEST(ChartWidget, ArrowKeysMoveTheCursorAndReportIt) {
    ChartWidget g;
    setUpPage(g);
    g.resize(800, 400);
    g.setCursorPoint(199);
    int moved = 0;
    QList<int> keys;
    QObject::connect(&g, &ChartWidget::cursorMoved, [&] { ++moved; });
    QObject::connect(&g, &ChartWidget::keyDown,
                     [&](int key, Qt::KeyboardModifiers) { keys << key; });
    QWidget* plot = g.focusProxy();
    ASSERT_NE(plot, nullptr);
    for (int key :
         {int(Qt::Key_Left), int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_PageUp)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(plot, &press);
    }
    EXPECT_EQ(g.cursorPoint(), 198);
    EXPECT_EQ(moved, 3);
    EXPECT_EQ(keys.size(), 4);
    EXPECT_EQ(keys.last(), int(Qt::Key_PageUp));
    // At the right end the cursor stays and nothing is reported.
    g.setCursorPoint(199);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(plot, &right);
    EXPECT_EQ(moved, 3);
}

TEST(ChartWidget, ZoomBoxZoomsInAndUndoRestores) {
    ChartWidget g;
    setUpPage(g);
    for (int i = 0; i < 200; ++i)
        g.setYData(0, i, float(std::sin(i / 10.0) * 10.0));
    g.resize(800, 400);
    g.show();
    g.setPEactions(ChartWidget::Refresh);
    QApplication::processEvents();
    int zooms = 0;
    QObject::connect(&g, &ChartWidget::zoomIn, [&] { ++zooms; });
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
    g.grab().save(outDir() + "/pegraph-zoomed.png");
    g.setPEactions(ChartWidget::UndoZoom);
    EXPECT_FALSE(g.isZoomed());

    // A click (no drag) moves the cursor instead.
    int moved = 0;
    QObject::connect(&g, &ChartWidget::cursorMoved, [&] { ++moved; });
    send(QEvent::MouseButtonPress, QPointF(400, 200), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPointF(400, 200), Qt::NoButton);
    EXPECT_EQ(zooms, 1);
    EXPECT_EQ(moved, 1);
    EXPECT_GT(g.cursorPoint(), 50);
    EXPECT_LT(g.cursorPoint(), 150);
}

TEST(ChartWidget, ExportsPicturesAndPrints) {
    ChartWidget g;
    setUpPage(g);
    for (int i = 0; i < 150; ++i)
        g.appendPoint(QString(" 10:%1:00.0").arg(i % 60, 2, 10, QChar('0')),
                      float(std::sin(i / 8.0) * 10.0));
    g.resize(900, 450);
    g.setPEactions(ChartWidget::Refresh);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    g.setPEnarg1(640);
    g.setPEnarg2(320);
    g.setPEstrarg1(dir.filePath("page.png"));
    ASSERT_TRUE(g.setPEactions(ChartWidget::BitmapToFile));
    QImage png(dir.filePath("page.png"));
    EXPECT_EQ(png.size(), QSize(640, 320));

    g.setPEstrarg1(dir.filePath("page.BMP"));
    ASSERT_TRUE(g.setPEactions(ChartWidget::BitmapToFile));
    QFile bmp(dir.filePath("page.BMP"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));

    g.setPEstrarg1(dir.filePath("page.svg"));
    ASSERT_TRUE(g.setPEactions(ChartWidget::MetafileToFile));
    QFile svg(dir.filePath("page.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));

    // Unwritable destinations fail instead of pretending.
    g.setPEstrarg1(QStringLiteral("/nonexistent-dir/page.png"));
    EXPECT_FALSE(g.setPEactions(ChartWidget::BitmapToFile));
    g.setPEstrarg1(QString());
    EXPECT_FALSE(g.setPEactions(ChartWidget::MetafileToFile));

    ASSERT_TRUE(g.setPEactions(ChartWidget::MetafileToClipboard));
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));

    // Monochrome print to a PDF printer.
    QPrinter& printer = ChartWidget::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    g.setViewingStyle(1);
    g.setPEactions(ChartWidget::ResetImage);
    ASSERT_TRUE(g.setPEactions(ChartWidget::Print));
    g.renderImage(900, 450).save(outDir() + "/pegraph-mono.png");
    g.setViewingStyle(0);
    g.setPEactions(ChartWidget::Refresh);
    QFile pdf(dir.filePath("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(4), QByteArray("%PDF"));
    EXPECT_GT(pdf.size(), 1000);
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);

    // A null run in the middle is drawn as a gap.
    g.setYData(0, 120, -99999.0f);
    g.setPEactions(ChartWidget::Refresh);
    g.renderImage(900, 450).save(outDir() + "/pegraph-colour.png");
}
