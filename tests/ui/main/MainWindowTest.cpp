#include "ui/main/MainWindow.h"
#include "meter/AppState.h"
#include "meter/SharedState.h"
#include "text/texts.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/main/AppWindows.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

// Runs each test in a fresh application directory.
class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        App().busy = 0;
    }
    void TearDown() override {
        QDir::setCurrent(m_oldDir);
        SetBoxInterceptor(nullptr);
    }
    void writeSettings(const QByteArray& text) {
        QFile f(m_dir.filePath(QStringLiteral("ORLANDL.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readSettings() {
        QFile f(m_dir.filePath(QStringLiteral("ORLANDL.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
    QString m_oldDir;
};

} // namespace

TEST_F(FormMainTest, StartUpReadsSettingsAndCloseWritesExactlyThreeLines) {
    writeSettings("junk line\nfLowLimit=0.5\nFHILIMIT=12.5\niport=7\n");
    {
        MainWindow form;
        EXPECT_EQ(App().iPort, 7);
        EXPECT_EQ(App().fHiLimit, 12.5);
        EXPECT_EQ(App().fLowLimit, 0.5);
        EXPECT_EQ(form.windowTitle(),
                  text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName));
        EXPECT_FALSE(form.sbtnPort->isEnabled());
        EXPECT_TRUE(form.mnuUsbPort->isChecked());
        EXPECT_FALSE(form.Panel1->isVisibleTo(&form));
        form.close();
    }
    EXPECT_EQ(readSettings(), QByteArray("iPort=7\nfHiLimit=12.5\nfLowLimit=0.5\n"));
}

TEST_F(FormMainTest, UnwritableSettingsFileGivesAMessageAndStillCloses) {
    // A directory in the place of the settings file makes the write fail.
    QDir(m_dir.path()).mkdir(QStringLiteral("ORLANDL.ini"));
    int boxes = 0;
    SetBoxInterceptor([&](const BoxRequest& r) {
        ++boxes;
        EXPECT_TRUE(r.text.contains(QStringLiteral("ORLANDL.ini")));
        return BoxButton::Ok;
    });
    MainWindow form;
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(boxes, 1);
}

TEST_F(FormMainTest, RefreshControlsFollowLinkStateAndBusyFlag) {
    MainWindow form;
    form.sbtnLink->setChecked(true);
    form.refreshControls();
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuUnlink));
    EXPECT_EQ(form.sbtnLink->toolTip(), text(TextId::HintUnlink));
    EXPECT_FALSE(form.sbtnAbout->isEnabled());
    EXPECT_FALSE(form.mnuHelp->menuAction()->isEnabled());
    EXPECT_TRUE(form.sbtnLink->isEnabled());

    App().busy = 1;
    form.refreshControls();
    EXPECT_FALSE(form.sbtnLink->isEnabled());
    EXPECT_FALSE(form.mnuLink->isEnabled());
    App().busy = 0;
    form.sbtnLink->setChecked(false);
    form.refreshControls();
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuLink));
    EXPECT_TRUE(form.sbtnAbout->isEnabled());
    EXPECT_TRUE(form.mnuPort->menuAction()->isEnabled());
}

TEST_F(FormMainTest, CloseQueryAsksAboutUnsavedRecorderData) {
    MainWindow form;
    form.createWindows();
    RecorderWindow* recorder = Windows().GraphicalForm;
    ASSERT_NE(recorder, nullptr);
    EXPECT_FALSE(recorder->hasUnsavedData());

    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Cancel;
    SetBoxInterceptor([&](const BoxRequest& r) {
        boxes.push_back(r);
        return answer;
    });

    // One manual sample makes the buffer hold unsaved data.
    LiveReading r;
    r.mainText.assign(" 1.234");
    r.mainPrefixExponent.assign("0");
    r.mainCode = 0x6;
    r.mainDisplayLine.text.assign(" 1.234");
    r.mainDisplayLine.part2.assign("V");
    Shared().publish(r);
    Shared().setReadingValid(true);
    Shared().setLinkActive(true);
    recorder->controller().setAcquisition(AcquisitionMode::Manual, 500);
    recorder->takeManualSample();
    Shared().setLinkActive(false);
    ASSERT_TRUE(recorder->hasUnsavedData());

    form.show();
    EXPECT_FALSE(form.close()) << "Cancel keeps the program open";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning[W8003]"));
    EXPECT_EQ(boxes[0].text,
              text(TextId::BufferHasData) + QLatin1Char('\n') + text(TextId::AskSaveBeforeExit));
    EXPECT_EQ(boxes[0].defaultButton, BoxButton::Cancel);
    EXPECT_EQ(boxes[0].icon, BoxIcon::Question);

    // Yes, then the save dialog is cancelled: the data are still unsaved, so stay open.
    answer = BoxButton::Yes;
    SetFileDialogInterceptor([](const FileDialogRequest&) { return std::optional<QString>(); });
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(recorder->hasUnsavedData());

    // Yes with a file name: saved, and the program closes.
    const QString target = m_dir.filePath(QStringLiteral("kept.g53"));
    SetFileDialogInterceptor(
        [&](const FileDialogRequest&) { return std::optional<QString>(target); });
    EXPECT_TRUE(form.close());
    SetFileDialogInterceptor(nullptr);
    EXPECT_TRUE(QFileInfo::exists(target));
}

TEST_F(FormMainTest, CloseQueryNoClosesWithoutSaving) {
    MainWindow form;
    form.createWindows();
    RecorderWindow* recorder = Windows().GraphicalForm;
    LiveReading r;
    r.mainText.assign(" 2.000");
    r.mainPrefixExponent.assign("0");
    r.mainCode = 0x6;
    Shared().publish(r);
    Shared().setReadingValid(true);
    Shared().setLinkActive(true);
    recorder->controller().setAcquisition(AcquisitionMode::Manual, 500);
    recorder->takeManualSample();
    Shared().setLinkActive(false);
    int boxes = 0;
    SetBoxInterceptor([&](const BoxRequest&) {
        ++boxes;
        return BoxButton::No;
    });
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(boxes, 1);
}
