// The intervals panel on a recording of two meters opened from its files: its
// figures against a reduction worked out here from the samples written, and its
// export against the command line's bytes for the same recording.
#include "ui/recorder/IntervalsPanel.h"
#include "ScriptedDialogs.h"
#include "app/IntervalTableModel.h"
#include "cli/CmdRecorderCsv.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/RecordingLimits.h"
#include "recording/RecordingManifest.h"

#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <tuple>

using namespace telmora;

namespace {

constexpr int kTicks = 60;
constexpr int kStepTenths = 7; // a tick every 0.7 s from 10:00:00.0

SampleEntry sample(std::uint32_t code, float value, const std::string& text, const char* unit,
                   int tenths) {
    SampleEntry e;
    e.main.functionCode = code;
    e.main.value = value;
    e.main.valueText.assign(text);
    e.main.displayText.assign(text);
    e.main.unitText.assign(unit);
    e.main.modeText.assign(code == 0x6 ? "DC" : "");
    char time[16];
    const int seconds = 36000 + tenths / 10;
    std::snprintf(time, sizeof time, "%3d:%02d:%02d.%1d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60, tenths % 10);
    e.main.timeText.assign(time);
    return e;
}

// What the test wrote for one meter at one tick: a value, an overload or a gap.
struct Written {
    std::string unit; // empty for a gap
    double value = 0;
    bool overload = false;
};

// The volts of meter 1 (an overload now and then, ohms for a stretch) and the
// amperes of meter 2 (gaps now and then).
Written written(int meter, int tick) {
    if (meter == 0) {
        if (tick % 13 == 4)
            return {"V", 0, true};
        if (tick >= 20 && tick < 26)
            return {"\u03A9", 4700.0 + tick, false};
        return {"V", 1.4 + 0.01 * (tick % 21), false};
    }
    if (tick % 9 == 2)
        return {};
    return {"A", 0.25 + 0.001 * (tick % 7), false};
}

SampleEntry entryOf(const Written& w, int tick) {
    const int tenths = tick * kStepTenths;
    if (w.unit.empty()) {
        SampleEntry gap = sample(0, 0.0f, "", "", tenths);
        gap.main.modeText.assign("");
        gap.main.value = std::numeric_limits<float>::quiet_NaN();
        return gap;
    }
    if (w.overload)
        return sample(0x6, 6.6e6f, "0.L", "V", tenths);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", w.value);
    if (w.unit == "A")
        return sample(0x202, static_cast<float>(w.value), text, "A", tenths);
    if (w.unit == "V")
        return sample(0x6, static_cast<float>(w.value), text, "V", tenths);
    std::snprintf(text, sizeof text, "%.0f", w.value);
    return sample(0x80, static_cast<float>(w.value), text, "W", tenths);
}

QString writeRecording(const QTemporaryDir& dir) {
    SampleList volts, amperes;
    for (int tick = 0; tick < kTicks; ++tick) {
        volts.append(entryOf(written(0, tick), tick));
        amperes.append(entryOf(written(1, tick), tick));
    }
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("bench-V.g53")), volts));
    EXPECT_TRUE(SaveRecorderFile(dir.filePath(QStringLiteral("bench-A.g53")), amperes));
    const QString manifest = dir.filePath(QStringLiteral("bench.telmora"));
    EXPECT_TRUE(WriteManifest(
        manifest, {{{QStringLiteral("Supply"), QStringLiteral("S1"), QStringLiteral("bench-V.g53")},
                    {QStringLiteral("Load"), QStringLiteral("S2"), QStringLiteral("bench-A.g53")}},
                   QString()}));
    return manifest;
}

// The figures of one interval, meter and unit, worked out from what was written.
struct Expected {
    int count = 0;
    int overloads = 0;
    double sum = 0, minimum = 0, maximum = 0;
    LimitCounts limits;
    bool outside = false;
};
using Key = std::tuple<std::string, std::string, std::string>;

std::map<Key, Expected> expectedFigures(int everySeconds, double low, double high) {
    std::map<Key, Expected> out;
    const char* names[] = {"Supply", "Load"};
    for (int tick = 0; tick < kTicks; ++tick) {
        const int second = 36000 + tick * kStepTenths / 10;
        const int start = second / everySeconds * everySeconds;
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", start / 3600, start / 60 % 60,
                      start % 60);
        for (int meter = 0; meter < 2; ++meter) {
            const Written w = written(meter, tick);
            if (w.unit.empty())
                continue;
            Expected& e = out[{text, names[meter], w.unit}];
            const double value =
                std::strtod(entryOf(w, tick).main.valueText.str().c_str(), nullptr);
            const int side = w.overload || value > high ? 1 : value < low ? -1 : 0;
            if (w.overload) {
                ++e.overloads;
            } else {
                e.minimum = e.count == 0 ? value : std::min(e.minimum, value);
                e.maximum = e.count == 0 ? value : std::max(e.maximum, value);
                e.sum += value;
                ++e.count;
            }
            if (side == 0) {
                ++e.limits.inside;
            } else {
                ++(side > 0 ? e.limits.above : e.limits.below);
                e.limits.excursions += e.outside ? 0 : 1;
            }
            e.outside = side != 0;
        }
    }
    return out;
}

std::string cliIntervals(const QString& manifest, int every, const char* limits) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    EXPECT_EQ(cli::RunRecorderCsv(manifest.toLocal8Bit().constData(), out.get(), err.get(),
                                  TextExportFormat::Tidy, TidyLayout::Long, nullptr, every,
                                  limits != nullptr ? ReadLimits(limits) : std::nullopt),
              0);
    std::string text;
    std::rewind(out.get());
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, out.get())) > 0)
        text.append(buffer, n);
    return text;
}

struct IntervalsPanelOnAFile : ::testing::Test {
    QTemporaryDir dir;
    QString manifest = writeRecording(dir);
    ScriptedDialogs dialogs;
    RecorderController recorder{DecodedReplySource{}, dir.path()};

    void SetUp() override {
        QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
        ASSERT_TRUE(recorder.startLoad(manifest));
        ASSERT_TRUE(loaded.wait(30000));
        ASSERT_EQ(recorder.meterCount(), 2);
    }
    static bool reduced(IntervalTableModel& model) {
        QSignalSpy refreshed(&model, &IntervalTableModel::refreshed);
        while (model.pending())
            if (!refreshed.wait(30000))
                return false;
        return true;
    }
    std::string exported(IntervalsPanel& panel, const char* name) {
        const QString path = dir.filePath(QLatin1String(name));
        dialogs.fileAnswers.push_back(path);
        QSignalSpy finished(&panel.model(), &IntervalTableModel::exportFinished);
        panel.exportTable();
        EXPECT_TRUE(finished.wait(30000));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }
};

} // namespace

TEST_F(IntervalsPanelOnAFile, FiguresEqualAReductionOfTheSamplesWritten) {
    recorder.limitCounts().setLimits({LimitTest(1.45, 1.55, LimitUnits::Comparator),
                                      LimitTest(1.45, 1.55, LimitUnits::Comparator)});
    IntervalsPanel panel(dialogs, recorder);
    panel.show();
    auto* length = panel.findChild<QComboBox*>(QStringLiteral("intervalLength"));
    ASSERT_NE(length, nullptr);
    EXPECT_FALSE(length->accessibleName().isEmpty());
    length->setCurrentIndex(length->findData(QVariant::fromValue<qint64>(10)));
    IntervalTableModel& model = panel.model();
    ASSERT_TRUE(reduced(model));
    ASSERT_EQ(model.lengthSeconds(), 10);
    ASSERT_EQ(model.columnCount(), IntervalTableModel::Excursions + 1);

    std::map<Key, Expected> expected = expectedFigures(10, 1.45, 1.55);
    ASSERT_EQ(model.rowCount(), static_cast<int>(expected.size()));
    const auto cell = [&](int row, int column) {
        return model.data(model.index(row, column)).toString().toStdString();
    };
    for (int row = 0; row < model.rowCount(); ++row) {
        const Key key{cell(row, IntervalTableModel::Start), cell(row, IntervalTableModel::Meter),
                      cell(row, IntervalTableModel::Unit)};
        ASSERT_TRUE(expected.count(key)) << std::get<0>(key) << " " << std::get<1>(key);
        const Expected& e = expected[key];
        SCOPED_TRACE(std::get<0>(key) + " " + std::get<1>(key) + " " + std::get<2>(key));
        EXPECT_EQ(cell(row, IntervalTableModel::Count), std::to_string(e.count));
        EXPECT_EQ(cell(row, IntervalTableModel::Overloads), std::to_string(e.overloads));
        if (e.count > 0) {
            EXPECT_EQ(std::strtod(cell(row, IntervalTableModel::Minimum).c_str(), nullptr),
                      e.minimum);
            EXPECT_EQ(std::strtod(cell(row, IntervalTableModel::Maximum).c_str(), nullptr),
                      e.maximum);
            EXPECT_NEAR(std::strtod(cell(row, IntervalTableModel::Mean).c_str(), nullptr),
                        e.sum / e.count, 1e-9 * std::fabs(e.maximum));
        }
        EXPECT_EQ(cell(row, IntervalTableModel::Inside), std::to_string(e.limits.inside));
        EXPECT_EQ(cell(row, IntervalTableModel::Above), std::to_string(e.limits.above));
        EXPECT_EQ(cell(row, IntervalTableModel::Below), std::to_string(e.limits.below));
        EXPECT_EQ(cell(row, IntervalTableModel::Excursions), std::to_string(e.limits.excursions));
    }
    // The recording holds what the figures are meant to show.
    const Key ohms{"10:00:10", "Supply", "\u03A9"}, volts{"10:00:00", "Supply", "V"};
    EXPECT_TRUE(expected.count(ohms));
    EXPECT_GT(expected[volts].overloads, 0);
}

TEST_F(IntervalsPanelOnAFile, ItsExportIsTheCommandLinesIntervalCsv) {
    IntervalsPanel panel(dialogs, recorder);
    panel.show();
    panel.model().setLengthSeconds(60);
    ASSERT_TRUE(reduced(panel.model()));
    EXPECT_EQ(panel.model().columnCount(), IntervalTableModel::Overloads + 1) << "no limits";
    EXPECT_EQ(exported(panel, "plain.csv"), cliIntervals(manifest, 60, nullptr));

    recorder.limitCounts().setLimits({LimitTest(0.251, 1.5, LimitUnits::Comparator),
                                      LimitTest(0.251, 1.5, LimitUnits::Comparator)});
    panel.model().setLengthSeconds(10);
    ASSERT_TRUE(reduced(panel.model()));
    const std::string withLimits = exported(panel, "limits.csv");
    EXPECT_EQ(withLimits, cliIntervals(manifest, 10, "251m:1.5"));
    EXPECT_NE(withLimits.find(",overloads,inside,above,below,excursions\r\n"), std::string::npos);
    ASSERT_FALSE(dialogs.files.empty());
    EXPECT_EQ(dialogs.files.back().defaultExt, QStringLiteral("csv"));
}
