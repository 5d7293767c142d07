#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "ScriptedDialogs.h"
#include "recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/recorderpages.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/ProgressWindow.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

using namespace telmora;

namespace {

// The meter link the recorder under test samples.
FakeLiveSource g_live;

SampleEntry volts(float v, int i) {
    SampleEntry e;
    e.main.value = v;
    e.main.displayText.assign(std::to_string(i));
    e.main.unitText.assign("V");
    e.main.functionCode = 0x6;
    e.main.modeText.assign("DC");
    e.main.timeText.assign(" 9:00:00." + std::to_string(i % 10));
    return e;
}

QByteArray le32(std::int32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    return b;
}

struct CommandsFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs user;
    std::vector<BoxRequest> boxes;
    std::vector<FileDialogRequest> dialogs;
    std::optional<QString> chosen;
    std::unique_ptr<DataListWindow> list;
    std::unique_ptr<RecorderController> controller;
    ProgressWindow* progress = nullptr;
    std::unique_ptr<RecorderWindow> form;

    void SetUp() override {
        user.onBox = [this](const BoxRequest& r) {
            boxes.push_back(r);
            return BoxButton::Ok;
        };
        user.onFile = [this](const FileDialogRequest& r) {
            dialogs.push_back(r);
            return chosen;
        };
        controller = std::make_unique<RecorderController>(ReadingsOf(g_live), dir.path());
        list = std::make_unique<DataListWindow>(user, controller.get());
        form = std::make_unique<RecorderWindow>(user, *controller);
        progress = &form->progressWindow();
    }
    void TearDown() override {
        form.reset();
        list.reset();
        controller.reset();
    }
    void record(int n) {
        for (int i = 0; i < n; ++i)
            form->controller().addSample(volts(float(i % 37) - (i == 77 ? 100.0f : 0.0f), i));
    }
    void openFile() {
        QSignalSpy done(&form->controller(), &RecorderController::loadFinished);
        form->openRecording();
        if (form->controller().isBusy()) {
            ASSERT_TRUE(done.wait(10000));
        }
    }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    RecorderWindowProbe probe() const { return RecorderWindowProbe(*form); }
};

} // namespace

TEST_F(CommandsFixture, LineColourAndPageSetupAreAskedThroughTheUserDialogs) {
    const QColor before = form->lineColor();
    user.onColor = [](const QColor&) { return std::nullopt; };
    form->chooseLineColor();
    ASSERT_EQ(user.colors.size(), 1u);
    EXPECT_EQ(user.colors[0], before) << "offered: the colour in use";
    EXPECT_EQ(user.colorTitles[0], text(TextId::MenuViewLineColor).remove('&'));
    EXPECT_EQ(form->lineColor(), before) << "a cancelled choice changes nothing";
    user.onColor = [](const QColor&) { return QColor(Qt::darkGreen); };
    form->chooseLineColor();
    EXPECT_EQ(form->lineColor(), QColor(Qt::darkGreen));

    user.pageSetupAnswers.push_back(true);
    form->setUpPrinter();
    ASSERT_EQ(user.pageSetups.size(), 1u);
    EXPECT_EQ(user.pageSetups[0], &form->printer()) << "the page of the recorder's own printer";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsFixture, SaveWritesTheBufferAndMarksItSaved) {
    record(250);
    chosen = file("rec.g53");
    EXPECT_TRUE(form->hasUnsavedData());
    EXPECT_TRUE(RunSaveCommand(*form));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].fileName, QStringLiteral("Untitled.g53"));
    EXPECT_EQ(dialogs[0].defaultExt, QStringLiteral("g53"));
    EXPECT_EQ(QFileInfo(*chosen).size(), 4 + 169 * 250);
    EXPECT_FALSE(form->hasUnsavedData());
    EXPECT_TRUE(boxes.empty());

    // An unwritable place: FileSaveError, still unsaved, and the save reports failure.
    form->controller().addSample(volts(1, 1));
    chosen = file("missing/dir/rec.g53");
    EXPECT_FALSE(RunSaveCommand(*form));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Error[E9005]"));
    EXPECT_TRUE(form->hasUnsavedData());

    chosen.reset(); // cancelled
    EXPECT_FALSE(RunSaveCommand(*form));
}

TEST_F(CommandsFixture, OpenLoadsEverySampleAndCountsItUnsaved) {
    record(450);
    chosen = file("rec.g53");
    ASSERT_TRUE(RunSaveCommand(*form));
    const std::int32_t maxIndex = form->recording().maxIndex();
    const std::int32_t minIndex = form->recording().minIndex();
    const float scaleMax = form->recording().scaleMax();
    const float scaleMin = form->recording().scaleMin();

    openFile(); // saved data: cleared without a question
    EXPECT_TRUE(boxes.empty());
    const Recording& s = form->recording();
    EXPECT_EQ(s.size(), 450u);
    EXPECT_EQ(s.sampleCount(), 450);
    EXPECT_EQ(s.maxIndex(), maxIndex);
    EXPECT_EQ(s.minIndex(), minIndex);
    EXPECT_EQ(s.scaleMax(), scaleMax);
    EXPECT_EQ(s.scaleMin(), scaleMin);
    EXPECT_EQ(form->controller().lastPage(), 3);
    EXPECT_EQ(form->controller().currentPage(), 3);
    EXPECT_TRUE(form->hasUnsavedData());
    EXPECT_FALSE(form->controller().isBusy());
    EXPECT_EQ(list->lineCount(), 450);
    EXPECT_EQ(probe().chart().value(199), s.sampleAt(449).main.value);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(progress->isAbortEnabled());
    EXPECT_EQ(probe().text("MinDataPanel"), QStringLiteral("77"));
}

TEST_F(CommandsFixture, ExactPagesOpenWithoutAnEmptyFirstPage) {
    record(400);
    chosen = file("two.g53");
    ASSERT_TRUE(RunSaveCommand(*form));
    openFile();
    EXPECT_EQ(form->controller().lastPage(), 2);
}

TEST_F(CommandsFixture, AbortedOpenLeavesAnEmptyConsistentBuffer) {
    SampleList big;
    for (int i = 0; i < 5000; ++i)
        big.append(volts(float(i), i));
    ASSERT_TRUE(SaveRecorderFile(file("big.g53"), big));
    chosen = file("big.g53");
    // The user presses Abort once the progress window is up.
    QObject::connect(&form->controller().job(), &Job::progressed, progress, [this] {
        if (progress->isVisible() && progress->isAbortEnabled())
            progress->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    openFile();
    const Recording& s = form->recording();
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.sampleCount(), 0);
    EXPECT_TRUE(s.isEmpty());
    EXPECT_FALSE(form->hasUnsavedData());
    EXPECT_EQ(form->controller().lastPage(), 1);
    EXPECT_EQ(list->lineCount(), 0);
    EXPECT_FALSE(form->controller().isBusy());
    EXPECT_TRUE(probe().button("openButton").isEnabled());
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(CommandsFixture, DamagedFilesGiveMessages) {
    const QByteArray one = [] {
        std::array<std::uint8_t, kSampleSize> b{};
        EncodeSample(volts(3, 3), b);
        return QByteArray(reinterpret_cast<const char*>(b.data()), kSampleSize);
    }();
    QFile f(file("cut.g53"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(le32(5) + one + one + one.left(7));
    f.close();
    chosen = file("cut.g53");
    openFile();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning[W9001]"));
    EXPECT_EQ(form->recording().size(), 2u);

    record(3); // unsaved data: the open asks AskClearBuffer first
    QFile n(file("negative.g53"));
    ASSERT_TRUE(n.open(QIODevice::WriteOnly));
    n.write(le32(-4) + one);
    n.close();
    chosen = file("negative.g53");
    boxes.clear();
    openFile();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning[W8002]"));
    EXPECT_EQ(boxes[1].caption, QStringLiteral("Error[E9004]"));
    EXPECT_TRUE(form->recording().empty());
    EXPECT_FALSE(form->controller().isBusy());
}

TEST_F(CommandsFixture, FilesThatCannotBeOpenedAreNamedWithTheReason) {
    const QByteArray fifo = QFile::encodeName(file("pipe.g53"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.g53")));
    ASSERT_TRUE(QFile::link(file("loop.g53"), file("loop.g53")));
    const std::pair<const char*, const char*> cases[] = {
        {"pipe.g53", "is a FIFO, not a regular file"},
        {"folder.g53", "Is a directory"},
        {"loop.g53", "Too many levels of symbolic links"},
        {"/dev/zero", "is a character device, not a regular file"},
    };
    for (const auto& [name, reason] : cases) {
        boxes.clear();
        const QString path = name[0] == '/' ? QString::fromLatin1(name) : file(name);
        form->openRecordingFile(path);
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Error[E9004]"));
        EXPECT_EQ(boxes[0].text, text(TextId::FileOpenError) + QLatin1Char('\n') + path +
                                     QStringLiteral(": ") + QLatin1String(reason));
        EXPECT_FALSE(form->controller().isBusy());
    }
}

TEST_F(CommandsFixture, FileNamesThatAreNotUtf8OpenByTheirBytes) {
    SampleList samples;
    for (int i = 0; i < 250; ++i)
        samples.append(volts(float(i % 7), i));
    const QString plain = file("plain.g53");
    ASSERT_TRUE(SaveRecorderFile(plain, samples));
    // "caf\xe9.g53": a Latin-1 name no text path can spell.
    const QByteArray raw = QFile::encodeName(dir.path()) + QByteArray("/caf\xe9.g53");
    ASSERT_EQ(::rename(QFile::encodeName(plain).constData(), raw.constData()), 0);

    QSignalSpy done(&form->controller(), &RecorderController::loadFinished);
    form->openRecordingFile(raw);
    ASSERT_TRUE(form->controller().isBusy() || !done.isEmpty());
    if (done.isEmpty()) {
        ASSERT_TRUE(done.wait(10000));
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->recording().sampleCount(), 250);
    // QTemporaryDir cannot reach the name either: removed here.
    ::unlink(raw.constData());
}

TEST_F(CommandsFixture, ExportWritesTheTextOfTheChosenPages) {
    record(450);
    ExportDialog& dlg = form->exportDialog();
    const QString csv = file("pages.csv");
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(dlg.exportType(), ExportType::Text);
        EXPECT_EQ(dlg.pageTo(), 3);
        dlg.selectPageScope(PageScope::Range);
        dlg.setPageRange(3, 2); // reversed: put in order
        dlg.setFileName(csv);
        dlg.confirmExport();
    });
    // The text is written on the controller's worker thread.
    QSignalSpy exported(&form->controller(), &RecorderController::textExportFinished);
    form->exportRecording();
    ASSERT_TRUE(exported.wait());
    EXPECT_TRUE(exported.at(0).at(0).toBool());
    EXPECT_FALSE(form->controller().isBusy());
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_EQ(text.count("\r\n"), 1 + 400);
    EXPECT_TRUE(text.contains("\r\n51, 9:00:00.0,50,,V  [DC]\r\n"));
    EXPECT_TRUE(boxes.empty());

    QTimer::singleShot(0, &dlg, [&] {
        dlg.confirmExport(); // no file chosen: told with the dialog still open
        EXPECT_TRUE(dlg.isVisible());
        dlg.reject();
    });
    form->exportRecording();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Error[E9013]"));
    EXPECT_EQ(exported.count(), 1); // nothing was started

    // A file that cannot be written gives the save error with its path once the job ends.
    const QString unwritable = file("missing/dir/pages.csv");
    QTimer::singleShot(0, &dlg, [&] {
        dlg.setFileName(unwritable);
        dlg.confirmExport();
    });
    form->exportRecording();
    ASSERT_TRUE(exported.wait());
    EXPECT_FALSE(exported.at(1).at(0).toBool());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, QStringLiteral("Error[E9005]"));

    const QString png = file("page.png");
    QTimer::singleShot(0, &dlg, [&] {
        dlg.selectType(ExportType::BitMap);
        dlg.selectDestination(ExportDestination::File);
        dlg.setFileName(png);
        dlg.confirmExport();
    });
    form->exportRecording();
    QImage image(png);
    EXPECT_EQ(image.size(), QSize(1000, 681));
    EXPECT_EQ(form->controller().currentPage(), 3);
}

TEST_F(CommandsFixture, TheTemporaryFileOfAnAcquisitionReopensLikeItsSavedFile) {
    const Recording& s = form->recording();
    ASSERT_TRUE(form->controller().startTemporaryFile());
    record(321);
    const QString tmp = form->controller().temporaryFilePath();
    form->controller().closeTemporaryFile();
    chosen = file("same.g53");
    ASSERT_TRUE(RunSaveCommand(*form));

    auto images = [&] {
        std::vector<QByteArray> out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            std::array<std::uint8_t, kSampleSize> b{};
            EncodeSample(s.sampleAt(i), b);
            out.emplace_back(reinterpret_cast<const char*>(b.data()), kSampleSize);
        }
        return out;
    };
    openFile();
    const auto fromG53 = images();
    chosen = tmp;
    form->clearRecording(); // the loaded file counts as unsaved: asked, answered OK
    openFile();
    EXPECT_EQ(images(), fromG53);
    EXPECT_EQ(s.sampleCount(), 321);
    EXPECT_EQ(dialogs.back().filter,
              QStringLiteral("Data Logger files(*.g53; *.telmora)|*.g53;*.telmora|Temporary "
                             "files(*.TMP)|*.tmp"));
}
