#include "ui/main/MainWindow.h"
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "UserDirectories.h"
#include "logger/LoggerSessions.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace telmora;

namespace {

// Runs each test with fresh per-user directories, started from an empty directory.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_userDirs.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }
    static void writeFile(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    static QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeSettings(const QByteArray& text) { writeFile(UserDirectories::settingsFile(), text); }
    QByteArray readSettings() { return readFile(UserDirectories::settingsFile()); }
    // Links to a demo meter and waits for its first reading, so that the
    // recorder can take a manual sample.
    void linkAndWaitForAReading(MainWindow& form) {
        QSignalSpy readings(&form.application().link(), &MeterLink::readingReceived);
        form.toggleLink();
        ASSERT_TRUE(WaitForLink(form.application().link()));
        ASSERT_TRUE(readings.wait(10000));
    }

    QTemporaryDir m_dir;
    UserDirectories m_userDirs;
    QString m_oldDir;
    std::shared_ptr<CableBackend> m_backend =
        std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    ScriptedDialogs m_dialogs;
};

} // namespace

TEST_F(MainWindowTest, StartUpReadsSettingsAndCloseWritesExactlyThreeLines) {
    writeSettings("junk line\nfLowLimit=0.5\nFHILIMIT=12.5\niport=7\n");
    {
        MainUnderTest parts(m_backend, m_dialogs);
        MainWindow& form = parts.window;
        EXPECT_EQ(form.settings().iPort, 7);
        EXPECT_EQ(form.settings().highLimit, 12.5);
        EXPECT_EQ(form.settings().lowLimit, 0.5);
        EXPECT_EQ(form.windowTitle(),
                  text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName));
        EXPECT_FALSE(form.portButton()->isEnabled());
        EXPECT_TRUE(form.usbPortAction()->isChecked());
        EXPECT_FALSE(form.statusPanel(0)->isVisibleTo(&form));
        form.close();
    }
    EXPECT_EQ(readSettings(), QByteArray("iPort=7\nfHiLimit=12.5\nfLowLimit=0.5\n"));
}

TEST_F(MainWindowTest, UnwritableSettingsFileGivesAMessageAndStillCloses) {
    // A directory in the place of the settings file makes the write fail.
    QDir().mkpath(UserDirectories::settingsFile());
    int boxes = 0;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        ++boxes;
        EXPECT_TRUE(r.text.contains(QStringLiteral("ORLANDL.ini")));
        return BoxButton::Ok;
    };
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(boxes, 1);
}

TEST_F(MainWindowTest, ControlsFollowLinkStateAndBusyFlag) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.toggleLink();
    ASSERT_TRUE(WaitForLink(form.application().link()));
    EXPECT_TRUE(form.linkButton()->isChecked());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuUnlink));
    EXPECT_EQ(form.linkButton()->toolTip(), text(TextId::HintUnlink));
    EXPECT_FALSE(form.aboutButton()->isEnabled());
    EXPECT_FALSE(form.helpMenu()->menuAction()->isEnabled());
    EXPECT_TRUE(form.linkButton()->isEnabled());

    // A long recorder operation: the application's one busy state follows it.
    emit form.recording().busyChanged(true);
    EXPECT_FALSE(form.linkButton()->isEnabled());
    EXPECT_FALSE(form.linkAction()->isEnabled());
    emit form.recording().busyChanged(false);
    EXPECT_TRUE(form.linkButton()->isEnabled());

    form.toggleLink();
    EXPECT_FALSE(form.linkButton()->isChecked());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuLink));
    EXPECT_TRUE(form.aboutButton()->isEnabled());
    EXPECT_TRUE(form.portMenu()->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, NewComparatorLimitsAreWrittenAtClose) {
    writeSettings("iPort=7\nfHiLimit=12.5\nfLowLimit=0.5\n");
    {
        MainUnderTest parts(m_backend, m_dialogs);
        MainWindow& form = parts.window;
        form.createWindows();
        ComparatorWindow* comparator = form.comparator();
        EXPECT_EQ(comparator->highLimit(), 12.5);
        EXPECT_EQ(comparator->lowLimit(), 0.5);
        emit comparator->limitsChanged(4.0, 2.0);
        EXPECT_EQ(form.settings().highLimit, 4.0);
        form.show();
        EXPECT_TRUE(form.close());
    }
    EXPECT_EQ(readSettings(), QByteArray("iPort=7\nfHiLimit=4\nfLowLimit=2\n"));
}

TEST_F(MainWindowTest, PrintingWindowsShareTheMainWindowsPrinter) {
    // A printer set-up chosen in the recorder holds in the data logger window.
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    QPrinter& printer = form.printer();
    EXPECT_EQ(&form.recorder()->printer(), &printer);
    auto* logger = qobject_cast<LoggerWindow*>(form.loggerWindow());
    ASSERT_NE(logger, nullptr);
    EXPECT_EQ(&logger->printer(), &printer);
    form.recorder()->printer().setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(logger->printer().pageLayout().orientation(), QPageLayout::Landscape);
}

// The logger is a panel of the main window now, not a window that has to be
// closed first: closing the program asks about its unsaved sessions, and Cancel
// keeps both.
TEST_F(MainWindowTest, CloseAsksAboutTheLoggersUnsavedSessionsFirst) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    auto* logger = qobject_cast<LoggerWindow*>(form.loggerWindow());
    ASSERT_NE(logger, nullptr);
    std::vector<SampleList> sessions(1);
    SampleEntry e;
    e.main.displayText.assign("1.234");
    sessions[0].append(e);
    logger->sessions().adopt(std::move(sessions), false);
    ASSERT_TRUE(logger->sessions().needsSaveQuestion());

    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Cancel;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return answer;
    };
    form.show();
    EXPECT_FALSE(form.close()) << "Cancel keeps the program open";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning[W8003]"));
    EXPECT_FALSE(logger->sessions().isEmpty());

    answer = BoxButton::No; // leave them
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(logger->sessions().isEmpty());
}

TEST_F(MainWindowTest, CloseQueryAsksAboutUnsavedRecorderData) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    RecorderWindow* recorder = form.recorder();
    ASSERT_NE(recorder, nullptr);
    EXPECT_FALSE(recorder->hasUnsavedData());

    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Cancel;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return answer;
    };

    // One manual sample makes the buffer hold unsaved data.
    linkAndWaitForAReading(form);
    recorder->controller().setAcquisition(AcquisitionMode::Manual, 500);
    recorder->takeManualSample();
    form.toggleLink();
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
    m_dialogs.onFile = [](const FileDialogRequest&) { return std::optional<QString>(); };
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(recorder->hasUnsavedData());

    // Yes with a file name: saved as a job, and the program closes when it has ended.
    const QString target = m_dir.filePath(QStringLiteral("kept.g53"));
    m_dialogs.onFile = [&](const FileDialogRequest&) { return std::optional<QString>(target); };
    QSignalSpy saveEnded(recorder, &RecorderWindow::saveCommandFinished);
    EXPECT_FALSE(form.close()) << "the close waits for the save's end";
    ASSERT_TRUE(saveEnded.wait());
    EXPECT_TRUE(saveEnded.last().at(0).toBool());
    EXPECT_FALSE(form.isVisible()) << "saved: the program has closed";
    m_dialogs.onFile = nullptr;
    EXPECT_TRUE(QFileInfo::exists(target));
}

TEST_F(MainWindowTest, CloseQueryNoClosesWithoutSaving) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    RecorderWindow* recorder = form.recorder();
    linkAndWaitForAReading(form);
    recorder->controller().setAcquisition(AcquisitionMode::Manual, 500);
    recorder->takeManualSample();
    form.toggleLink();
    int boxes = 0;
    m_dialogs.onBox = [&](const BoxRequest&) {
        ++boxes;
        return BoxButton::No;
    };
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(boxes, 1);
}

// A full disk at exit. Saving the recording fails with message 9005 and the
// system's reason: the program stays open, the recording unsaved with its temporary
// file, the old file as it was. Closing without saving then reports that the
// settings and the window places could not be written, and leaves their old files.
TEST_F(MainWindowTest, AFullDiskAtExitLosesNeitherTheRecordingNorTheOldFiles) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    ASSERT_TRUE(QDir().mkpath(m_userDirs.dataHome()));
    const QByteArray oldSettings = "iPort=3\nfHiLimit=5\nfLowLimit=1\n";
    const QByteArray oldState = "[Recorder]\nintervalMs=1000\n";
    const QByteArray oldRecording = "the recording saved before";
    ASSERT_TRUE(disk.put(QStringLiteral("ORLANDL.ini"), oldSettings));
    ASSERT_TRUE(disk.put(QLatin1String(kDesktopStateFileName), oldState));
    ASSERT_TRUE(disk.put(QStringLiteral("kept.g53"), oldRecording));

    MainUnderTest parts(m_backend, m_dialogs,
                        UserFilesIn(disk.root(), m_userDirs.dataHome(), m_dir.path()));

    MainWindow& form = parts.window;
    form.createWindows();
    RecorderWindow* recorder = form.recorder();
    linkAndWaitForAReading(form);
    recorder->controller().setAcquisition(AcquisitionMode::Manual, 500);
    recorder->takeManualSample();
    form.toggleLink();
    ASSERT_TRUE(recorder->hasUnsavedData());
    const QString tmp = recorder->controller().temporaryFilePath();
    ASSERT_TRUE(QFileInfo::exists(tmp));
    ASSERT_TRUE(disk.fill());

    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Yes;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return r.buttons.size() > 1 ? answer : BoxButton::Ok;
    };
    m_dialogs.onFile = [&](const FileDialogRequest&) {
        return std::optional<QString>(disk.path(QStringLiteral("kept.g53")));
    };
    form.show();
    QSignalSpy saveEnded(recorder, &RecorderWindow::saveCommandFinished);
    EXPECT_FALSE(form.close());
    ASSERT_TRUE(saveEnded.wait());
    EXPECT_FALSE(saveEnded.last().at(0).toBool());
    EXPECT_TRUE(form.isVisible()) << "nothing was saved: the program stays open";
    m_dialogs.onFile = nullptr;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, QStringLiteral("Error[E9005]"));
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("No space left on device")))
        << boxes[1].text.toStdString();
    EXPECT_TRUE(recorder->hasUnsavedData());
    EXPECT_TRUE(QFileInfo::exists(tmp));
    EXPECT_EQ(disk.read(QStringLiteral("kept.g53")), oldRecording);

    answer = BoxButton::No;
    boxes.clear();
    EXPECT_TRUE(form.close());
    ASSERT_EQ(boxes.size(), 2u);
    for (const QString& part :
         {QStringLiteral("ORLANDL.ini"), QString::fromLatin1(kDesktopStateFileName),
          QStringLiteral("No space left on device")})
        EXPECT_TRUE(boxes[1].text.contains(part)) << boxes[1].text.toStdString();
    EXPECT_EQ(disk.read(QStringLiteral("ORLANDL.ini")), oldSettings);
    EXPECT_EQ(disk.read(QLatin1String(kDesktopStateFileName)), oldState);
    EXPECT_EQ(disk.files(),
              QStringList({QStringLiteral("ORLANDL.ini"), QLatin1String(kDesktopStateFileName),
                           QStringLiteral("filler"), QStringLiteral("kept.g53")}));
}

namespace {
// Which buttons and menu items of `window` can be used, by object name or text.
std::map<std::string, bool> enabledControls(const QWidget& window) {
    std::map<std::string, bool> state;
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        state["button " + (b->objectName() + b->text()).toStdString()] = b->isEnabled();
    for (const QAction* a : window.findChildren<QAction*>())
        state["action " + a->text().toStdString()] = a->isEnabled();
    return state;
}
} // namespace

// A fresh start: the recorder's controls are right the moment it is shown, not
// only after some recorder action has refreshed them.
TEST_F(MainWindowTest, RecorderControlsAreRightWhenFirstShown) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    form.show();
    RecorderWindow* recorder = form.recorder();
    recorder->show();
    const auto* importButton = recorder->findChild<QToolButton*>(QStringLiteral("downloadButton"));
    ASSERT_NE(importButton, nullptr);
    EXPECT_TRUE(importButton->isEnabled()) << "the logger download is reachable";
    const QAction* importItem = nullptr;
    for (const QAction* a : recorder->findChildren<QAction*>())
        if (a->text() == text(TextId::MenuFileImport))
            importItem = a;
    ASSERT_NE(importItem, nullptr);
    EXPECT_TRUE(importItem->isEnabled());

    // Nothing changes when the window refreshes its controls for an unrelated reason.
    const auto shown = enabledControls(*recorder);
    recorder->controller().setAcquisition(recorder->controller().acquisitionMode(),
                                          recorder->controller().sampleInterval());
    EXPECT_EQ(enabledControls(*recorder), shown);
}
