// Telmora as a desktop program: per-user files, files opened from outside, the
// desktop state kept between runs and the usual keys.
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "app/UserFiles.h"
#include "logger/LoggerSessions.h"
#include "logger/SessionFile.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/TemporaryStorage.h"
#include "sim/SimulatedMeter.h"
#include "ui/common/LineColorDialog.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/startup.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "UserDirectories.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace telmora;

namespace {

SampleList someSamples(int count) {
    SampleList samples;
    SampleEntry e;
    e.main.timeText.assign(" 14:05:09.3");
    e.main.displayText.assign("1.234");
    e.main.unitText.assign("V");
    e.main.modeText.assign("DC");
    for (int i = 0; i < count; ++i)
        samples.append(e);
    return samples;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Each test starts from an empty directory with empty per-user directories;
// message boxes are recorded and answered with OK.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_start.isValid() && m_files.isValid() && m_userDirs.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_start.path());
        m_dialogs.onBox = [this](const BoxRequest& r) {
            m_boxes.push_back(r.caption + QLatin1Char('|') + r.text);
            return BoxButton::Ok;
        };
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }
    QStringList startDirectoryEntries() const {
        return QDir(m_start.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_start; // the directory the program is started from
    QTemporaryDir m_files; // where the user's documents lie
    UserDirectories m_userDirs;
    QString m_oldDir;
    QStringList m_boxes;
    std::shared_ptr<CableBackend> m_backend =
        std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    ScriptedDialogs m_dialogs;
};

} // namespace

TEST_F(DesktopTest, FileArgumentShowsTheRecordingAndOnlyUserFilesAreWritten) {
    // An older settings file in the start directory is read once and left alone.
    const QByteArray oldSettings("iPort=7\nfHiLimit=12.5\nfLowLimit=0.5\n");
    writeBytes(m_start.filePath(QStringLiteral("ORLANDL.ini")), oldSettings);
    const QString recording = m_files.filePath(QStringLiteral("bench run.g53"));
    ASSERT_TRUE(SaveRecorderFile(recording, someSamples(250)));

    const UserFiles files = LocateUserFiles(QDir::currentPath());
    EXPECT_TRUE(QFileInfo(files.temporaryDirectory).isDir()) << "created at start";
    {
        MainUnderTest parts(m_backend, m_dialogs, files);
        MainWindow& form = parts.window;
        EXPECT_EQ(form.settings().highLimit, 12.5);
        StartMainWindow(form, FileArgument({QStringLiteral("telmora"),
                                            QStringLiteral("--simulate=demo"), recording}));
        // The load runs on the recorder's worker and finishes later.
        QSignalSpy loaded(&form.recording(), &RecorderController::loadFinished);
        ASSERT_TRUE(loaded.wait(10000));
        EXPECT_TRUE(form.recorder()->isVisible());
        EXPECT_EQ(form.recording().recording().size(), 250);

        // A recording makes a temporary file, in the data directory.
        form.recording().clear();
        form.toggleLink();
        ASSERT_TRUE(WaitForLink(form.application().link()));
        ASSERT_TRUE(form.recording().startRecording());
        EXPECT_TRUE(
            form.recording().temporaryFilePath().startsWith(UserDirectories::appDataDirectory()));
        form.recording().stopRecording();
        form.recording().clear();
        form.close();
    }
    EXPECT_TRUE(m_boxes.isEmpty()) << m_boxes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(readBytes(files.settingsFile), oldSettings) << "the next close writes the new place";
    EXPECT_TRUE(QFileInfo::exists(files.desktopStateFile));
    EXPECT_EQ(startDirectoryEntries(), QStringList{QStringLiteral("ORLANDL.ini")});
    EXPECT_EQ(readBytes(m_start.filePath(QStringLiteral("ORLANDL.ini"))), oldSettings);
    EXPECT_TRUE(files.settingsFile.startsWith(m_userDirs.configHome()));
    EXPECT_TRUE(files.temporaryDirectory.startsWith(m_userDirs.dataHome()));
}

TEST_F(DesktopTest, SessionFileOpensInTheLoggerWindow) {
    const QString path = m_files.filePath(QStringLiteral("field.SLR"));
    std::vector<SampleList> sessions;
    sessions.push_back(someSamples(3));
    sessions.push_back(someSamples(5));
    ASSERT_EQ(SaveSessionFile(path, sessions), SessionFileStatus::Ok);

    MainUnderTest parts(m_backend, m_dialogs, LocateUserFiles(QDir::currentPath()));

    MainWindow& form = parts.window;
    form.createWindows();
    auto* logger = qobject_cast<LoggerWindow*>(form.loggerWindow());
    ASSERT_NE(logger, nullptr);
    QSignalSpy opened(&logger->sessions(), &LoggerSessions::fileOpened);
    form.show();
    form.openFile(FileArgument({QStringLiteral("telmora"), path}));
    ASSERT_TRUE(opened.wait(10000));
    EXPECT_TRUE(logger->isVisible());
    EXPECT_EQ(logger->sessions().sessionCount(), 2);
    EXPECT_TRUE(m_boxes.isEmpty()) << m_boxes.join(QLatin1Char('\n')).toStdString();
    logger->close();
}

TEST_F(DesktopTest, DamagedFilesGiveTheMessagesOfTheOpenCommand) {
    const QString recording = m_files.filePath(QStringLiteral("broken.g53"));
    const QString session = m_files.filePath(QStringLiteral("broken.slr"));
    const QString missing = m_files.filePath(QStringLiteral("gone.g52"));
    writeBytes(recording, QByteArray(100, '\x07')); // not a whole sample
    writeBytes(session, QByteArray("not a session file"));

    MainUnderTest parts(m_backend, m_dialogs, LocateUserFiles(QDir::currentPath()));

    MainWindow& form = parts.window;
    form.createWindows();
    auto* logger = qobject_cast<LoggerWindow*>(form.loggerWindow());
    // The first message of opening `path` with the Open command's dialog and from
    // outside (the messages may come from a worker's result, so wait for them).
    const auto firstMessages = [&](const QString& path, const std::function<void()>& open) {
        std::pair<QString, QString> first;
        m_dialogs.onFile = [path](const FileDialogRequest&) { return path; };
        for (QString* message : {&first.first, &first.second}) {
            m_boxes.clear();
            form.recording().clear();
            if (message == &first.first)
                open();
            else
                form.openFile(path);
            if (QTest::qWaitFor([this] { return !m_boxes.isEmpty(); }, 5000))
                *message = m_boxes.front();
        }
        return first;
    };
    for (const QString& path : {recording, missing}) {
        const auto [viaOpen, fromOutside] =
            firstMessages(path, [&] { form.recorder()->openRecording(); });
        EXPECT_FALSE(viaOpen.isEmpty()) << path.toStdString();
        EXPECT_EQ(fromOutside, viaOpen) << path.toStdString();
    }
    const auto [viaOpen, fromOutside] = firstMessages(session, [&] { logger->openFile(); });
    EXPECT_FALSE(viaOpen.isEmpty());
    EXPECT_EQ(fromOutside, viaOpen);
    logger->close();
}

TEST_F(DesktopTest, PanelsAndPreferencesComeBackAndValuesThatDoNotFitAreIgnored) {
    const UserFiles files = LocateUserFiles(QDir::currentPath());
    writeBytes(files.settingsFile, "iPort=3\nfHiLimit=5\nfLowLimit=1\n");
    {
        MainUnderTest parts(m_backend, m_dialogs, files);
        MainWindow& form = parts.window;
        form.createWindows();
        EXPECT_FALSE(form.restoredWindowPlaces()) << "nothing remembered on the first run";
        form.analogMeter()->show();
        form.dataList()->hide();
        form.comparator()->setAlarmOn(true);
        form.recording().setAcquisition(AcquisitionMode::Automatic, 5000);
        form.recorder()->setLineColor(Qt::darkGreen);
        form.show();
        form.close();
    }
    EXPECT_EQ(readBytes(files.settingsFile), QByteArray("iPort=3\nfHiLimit=5\nfLowLimit=1\n"))
        << "the desktop state stays out of the settings file";
    {
        MainUnderTest parts(m_backend, m_dialogs, files);
        MainWindow& form = parts.window;
        form.createWindows();
        form.show();
        EXPECT_TRUE(form.restoredWindowPlaces());
        EXPECT_TRUE(form.analogMeter()->isVisible());
        EXPECT_FALSE(form.dataList()->isVisible());
        EXPECT_TRUE(form.comparator()->alarmOn());
        EXPECT_EQ(form.recording().sampleInterval(), 5000);
        EXPECT_EQ(form.recorder()->lineColor(), QColor(Qt::darkGreen));
    }
    {
        QSettings state(files.desktopStateFile, QSettings::IniFormat);
        state.setValue(QStringLiteral("Recorder/intervalMs"), QStringLiteral("fast"));
        state.setValue(QStringLiteral("Recorder/lineColor"), QStringLiteral("no colour"));
    }
    MainUnderTest parts(m_backend, m_dialogs, files);
    MainWindow& form = parts.window;
    form.createWindows();
    EXPECT_EQ(form.recording().sampleInterval(), RecorderController::kFullSpeedMs);
    EXPECT_TRUE(form.recorder()->lineColor().isValid());
    EXPECT_NE(form.recorder()->lineColor(), QColor(Qt::darkGreen));
}

TEST_F(DesktopTest, WindowPlacesKeptByAnOlderRunGiveWayToTheDefaultArrangement) {
    // Older runs kept a place for each window of its own.
    const UserFiles files = LocateUserFiles(QDir::currentPath());
    {
        QSettings state(files.desktopStateFile, QSettings::IniFormat);
        state.setValue(QStringLiteral("AnalogMeter/geometry"), QRect(150, 220, 260, 180));
        state.setValue(QStringLiteral("DataList/open"), false);
        state.setValue(QStringLiteral("Comparator/alarm"), true);
    }
    MainUnderTest parts(m_backend, m_dialogs, files);
    MainWindow& form = parts.window;
    form.createWindows();
    form.show();
    EXPECT_FALSE(form.restoredWindowPlaces());
    EXPECT_FALSE(form.analogMeter()->isWindow());
    EXPECT_TRUE(form.digitalMeter()->isVisible());
    EXPECT_TRUE(form.dataList()->isVisible());
    EXPECT_TRUE(form.comparator()->alarmOn()) << "the preferences of that run stay";
}

TEST_F(DesktopTest, UsualKeysNeverTakeAWindowsOwnShortcut) {
    MainUnderTest parts(m_backend, m_dialogs, LocateUserFiles(QDir::currentPath()));
    MainWindow& form = parts.window;
    form.createWindows();
    const auto actionWith = [](QWidget& window, const QString& caption) -> QAction* {
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text() == caption)
                return a;
        return nullptr;
    };
    // The main window's own keys: those of its panels answer within the panel.
    const auto ownActions = [&form](QWidget* window) {
        QList<QAction*> actions = window->findChildren<QAction*>();
        if (window == &form)
            actions.removeIf([](const QAction* a) {
                return a->shortcutContext() == Qt::WidgetWithChildrenShortcut;
            });
        return actions;
    };
    for (QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.recorder()),
                            form.loggerWindow()}) {
        QList<QKeySequence> seen;
        for (const QAction* a : ownActions(window))
            for (const QKeySequence& key : a->shortcuts()) {
                EXPECT_FALSE(seen.contains(key)) << key.toString().toStdString();
                seen += key;
            }
    }
    // The desktop's bindings (they differ between desktops) are all there.
    const auto hasBindings = [&](QWidget& window, TextId caption, QKeySequence::StandardKey key) {
        const QAction* a = actionWith(window, text(caption));
        if (a == nullptr)
            return false;
        for (const QKeySequence& binding : QKeySequence::keyBindings(key))
            if (!a->shortcuts().contains(binding))
                return false;
        return true;
    };
    EXPECT_FALSE(QKeySequence::keyBindings(QKeySequence::Open).isEmpty());
    for (QWidget* window : {static_cast<QWidget*>(form.recorder()), form.loggerWindow()}) {
        EXPECT_TRUE(hasBindings(*window, TextId::MenuFileOpen, QKeySequence::Open));
        EXPECT_TRUE(hasBindings(*window, TextId::MenuFileSaveAs, QKeySequence::Save));
        EXPECT_TRUE(hasBindings(*window, TextId::MenuFilePrintPage, QKeySequence::Print));
        EXPECT_TRUE(hasBindings(*window, TextId::MenuFileClose, QKeySequence::Close));
    }
    EXPECT_EQ(actionWith(*form.recorder(), text(TextId::MenuViewUndoZoom))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(actionWith(*form.recorder(), text(TextId::MenuViewFitAll))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_TRUE(hasBindings(form, TextId::MenuFileExit, QKeySequence::Quit));
    EXPECT_EQ(actionWith(form, text(TextId::MenuFileExit))->shortcutContext(),
              Qt::ApplicationShortcut);
}

#ifdef Q_OS_UNIX
// Per-user folders that every user may write to are told once at start and not
// used: settings found there are not read, nothing is written there at close, and
// recording is refused with the reason.
TEST_F(DesktopTest, FoldersOthersMayChangeAreToldOnceAndNotUsed) {
    const QString config = UserDirectories::appConfigDirectory();
    const QString data = UserDirectories::appDataDirectory();
    ASSERT_TRUE(QDir().mkpath(config) && QDir().mkpath(data));
    const QByteArray planted("iPort=3\nfHiLimit=5\nfLowLimit=1\n");
    writeBytes(UserDirectories::settingsFile(), planted);
    writeBytes(TemporaryFilePath(data, 1), QByteArray(2 * int(kSampleSize), '\0'));
    const auto everybody = QFileDevice::Permissions(0x7777);
    ASSERT_TRUE(QFile::setPermissions(config, everybody) && QFile::setPermissions(data, everybody));

    const UserFiles files = LocateUserFiles(m_start.path());
    ASSERT_EQ(files.refusedFolders.size(), 2u);
    {
        MainUnderTest parts(m_backend, m_dialogs, files);
        MainWindow& form = parts.window;
        EXPECT_NE(form.settings().highLimit, 5.0) << "settings from that folder are not read";
        StartMainWindow(form, QString());
        FinishStart(form);
        ASSERT_EQ(m_boxes.size(), 1) << "one message, and no recording offered from there";
        EXPECT_TRUE(m_boxes[0].startsWith(QStringLiteral("Error[E9024]|")));
        EXPECT_TRUE(m_boxes[0].contains(config) && m_boxes[0].contains(data));
        EXPECT_EQ(m_boxes[0].count(QStringLiteral("every user may write to it")), 2);

        form.recording().setAcquisition(AcquisitionMode::Manual, 0);
        form.recording().addSample(SampleEntry{});
        ASSERT_EQ(m_boxes.size(), 2);
        EXPECT_TRUE(m_boxes[1].startsWith(
            QStringLiteral("Error[E9003]|Unable to create file for real time temporary storage "
                           "in hard disk.\nThe folder ")));
        EXPECT_TRUE(m_boxes[1].contains(QStringLiteral("every user may write to it")));
        EXPECT_TRUE(form.recording().recording().isEmpty());
        form.close();
    }
    EXPECT_EQ(readBytes(UserDirectories::settingsFile()), planted);
    EXPECT_EQ(QDir(config).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("ORLANDL.ini")});
    EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("~ODMDL1.TMP")});
    EXPECT_TRUE(startDirectoryEntries().isEmpty()) << "nothing went elsewhere instead";
    const auto own = QFileDevice::Permissions(0x7700);
    QFile::setPermissions(config, own);
    QFile::setPermissions(data, own);
}
#endif
