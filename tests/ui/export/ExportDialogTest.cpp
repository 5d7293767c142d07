#include "ui/export/ExportDialog.h"
#include "ScriptedDialogs.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/LineColorDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

using namespace telmora;

namespace {

class ExportDialogTest : public ::testing::Test {
protected:
    ScriptedDialogs m_dialogs;
};

// A control of the dialog by its object name, as a user would find it.
template <class Control> Control* find(QWidget& dlg, const char* name) {
    auto* control = dlg.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}
QRadioButton* radio(ExportDialog& dlg, const char* name) {
    return find<QRadioButton>(dlg, name);
}
QLineEdit* edit(ExportDialog& dlg, const char* name) {
    return find<QLineEdit>(dlg, name);
}

constexpr auto kAny = ExportDialog::PrinterPages::Any;

} // namespace

TEST_F(ExportDialogTest, MetafileInInchesShowsAndStoresConvertedSizes) {
    ExportDialog dlg(m_dialogs, kAny);
    radio(dlg, "vectorButton")->setChecked(true);
    EXPECT_TRUE(radio(dlg, "clipboardButton")->isChecked());
    EXPECT_TRUE(radio(dlg, "millimetersButton")->isChecked());
    EXPECT_FALSE(radio(dlg, "pixelsButton")->isEnabled());
    EXPECT_EQ(radio(dlg, "pixelsButton")->text(), QStringLiteral("Pixels"));
    EXPECT_EQ(edit(dlg, "widthEdit")->text(), QStringLiteral("100"));
    EXPECT_EQ(edit(dlg, "heightEdit")->text(), QStringLiteral("68.1"));

    radio(dlg, "inchesButton")->setChecked(true);
    EXPECT_EQ(edit(dlg, "widthEdit")->text(), QStringLiteral("3.93700787401575"));
    EXPECT_TRUE(edit(dlg, "heightEdit")->text().startsWith(QStringLiteral("2.681")));

    edit(dlg, "widthEdit")->selectAll();
    edit(dlg, "widthEdit")->insert(QStringLiteral("2")); // typed: emits textEdited
    EXPECT_DOUBLE_EQ(dlg.pictureWidth(), 5080.0);
    EXPECT_DOUBLE_EQ(dlg.pictureHeight(), 6810.0);

    // A text that is no number keeps the size, and Export refuses it with a message.
    std::vector<QString> shown;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        shown.push_back(r.text);
        return BoxButton::Ok;
    };
    edit(dlg, "heightEdit")->selectAll();
    edit(dlg, "heightEdit")->insert(QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(dlg.pictureHeight(), 6810.0);
    find<QPushButton>(dlg, "exportButton")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QStringLiteral("'2,5' is not a valid floating point value"));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(edit(dlg, "heightEdit")->text().startsWith(QStringLiteral("2.681")));
}

TEST_F(ExportDialogTest, BothTextTypesHideSizeGroupAndForceFile) {
    const std::pair<const char*, ExportType> types[] = {{"textButton", ExportType::Text},
                                                        {"tidyTextButton", ExportType::TidyText}};
    for (const auto& [button, type] : types) {
        ExportDialog dlg(m_dialogs, kAny);
        radio(dlg, "bitmapButton")->setChecked(true);
        radio(dlg, "printerButton")->setChecked(true);
        EXPECT_FALSE(find<QPushButton>(dlg, "browseButton")->isEnabled());
        EXPECT_TRUE(find<QGroupBox>(dlg, "sizeGroup")->isVisibleTo(&dlg));
        radio(dlg, button)->setChecked(true);
        EXPECT_EQ(dlg.exportType(), type) << button;
        EXPECT_TRUE(radio(dlg, "fileButton")->isChecked());
        EXPECT_FALSE(radio(dlg, "clipboardButton")->isEnabled());
        EXPECT_FALSE(radio(dlg, "printerButton")->isEnabled());
        EXPECT_TRUE(find<QPushButton>(dlg, "browseButton")->isEnabled());
        EXPECT_FALSE(find<QGroupBox>(dlg, "sizeGroup")->isVisibleTo(&dlg));
        EXPECT_TRUE(radio(dlg, "thisPageButton")->isChecked());
        EXPECT_FALSE(edit(dlg, "pageFromEdit")->isEnabled());
        radio(dlg, "pageRangeButton")->setChecked(true);
        EXPECT_TRUE(edit(dlg, "pageFromEdit")->isEnabled());
        EXPECT_TRUE(find<QLabel>(dlg, "pageToLabel")->isEnabled());
        // The graph viewer offers pictures only.
        dlg.setTextExportAllowed(false);
        EXPECT_FALSE(radio(dlg, button)->isVisibleTo(&dlg));
    }
}

TEST_F(ExportDialogTest, PrinterPageScopeDependsOnTheDialog) {
    ExportDialog recorderDialog(m_dialogs, kAny);
    ExportDialog viewerDialog(m_dialogs, ExportDialog::PrinterPages::ThisPageOnly);
    EXPECT_FALSE(recorderDialog.printerPageLock());
    EXPECT_TRUE(viewerDialog.printerPageLock());
    for (ExportDialog* dlg : {&recorderDialog, &viewerDialog}) {
        dlg->selectType(ExportType::MetaFile);
        dlg->selectDestination(ExportDestination::Printer);
    }
    EXPECT_TRUE(radio(recorderDialog, "allPagesButton")->isEnabled());
    EXPECT_TRUE(radio(recorderDialog, "pageRangeButton")->isEnabled());
    recorderDialog.selectPageScope(PageScope::AllPages);
    EXPECT_EQ(recorderDialog.pageScope(), PageScope::AllPages);
    EXPECT_FALSE(radio(viewerDialog, "allPagesButton")->isEnabled());
    EXPECT_FALSE(radio(viewerDialog, "pageRangeButton")->isEnabled());
    EXPECT_EQ(viewerDialog.pageScope(), PageScope::ThisPage);
}

TEST_F(ExportDialogTest, PreparingShowsTheCallersChoices) {
    ExportDialog dlg(m_dialogs, kAny);
    dlg.setTextExportAllowed(false);
    EXPECT_FALSE(radio(dlg, "textButton")->isVisibleTo(&dlg));
    EXPECT_FALSE(radio(dlg, "textButton")->isEnabled());
    dlg.setTextExportAllowed(true);
    EXPECT_TRUE(radio(dlg, "textButton")->isVisibleTo(&dlg));

    dlg.selectType(ExportType::BitMap);
    EXPECT_EQ(dlg.exportType(), ExportType::BitMap);
    EXPECT_EQ(dlg.destination(), ExportDestination::ClipBoard);
    EXPECT_DOUBLE_EQ(dlg.pictureWidth(), 1000.0);
    EXPECT_DOUBLE_EQ(dlg.pictureHeight(), 681.0);
    dlg.selectDestination(ExportDestination::Printer);
    dlg.selectPageScope(PageScope::Range);
    dlg.setPageRange(2, 7);
    EXPECT_EQ(dlg.pageScope(), PageScope::Range);
    EXPECT_EQ(edit(dlg, "pageFromEdit")->text(), QStringLiteral("2"));
    EXPECT_EQ(dlg.pageTo(), 7);
    EXPECT_TRUE(edit(dlg, "pageToEdit")->isEnabled());
}

TEST_F(ExportDialogTest, BrowseAsksWithTheTypesExtensionAndShowsShortName) {
    ExportDialog dlg(m_dialogs, kAny);
    std::vector<FileDialogRequest> asked;
    const QString chosen = QStringLiteral("/home/user/measurements/dec/run-0042.csv");
    m_dialogs.onFile = [&](const FileDialogRequest& r) -> std::optional<QString> {
        asked.push_back(r);
        return chosen;
    };
    radio(dlg, "textButton")->setChecked(true);
    find<QPushButton>(dlg, "browseButton")->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].defaultExt, QStringLiteral("csv"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("CSV files(*.csv)|*.csv"));
    EXPECT_EQ(asked[0].fileName, QStringLiteral("Untitled"));
    EXPECT_TRUE(asked[0].overwritePrompt);
    EXPECT_EQ(dlg.fileName(), chosen);
    EXPECT_EQ(find<QLabel>(dlg, "fileNameLabel")->text(),
              QStringLiteral("/ho...rements/dec/run-0042.csv"));

    radio(dlg, "bitmapButton")->setChecked(true); // clipboard: the name is cleared
    EXPECT_TRUE(dlg.fileName().isEmpty());
    EXPECT_TRUE(find<QLabel>(dlg, "fileNameLabel")->text().isEmpty());
    radio(dlg, "fileButton")->setChecked(true);
    m_dialogs.onFile = [&](const FileDialogRequest& r) -> std::optional<QString> {
        asked.push_back(r);
        return std::nullopt; // cancelled
    };
    find<QPushButton>(dlg, "browseButton")->click();
    EXPECT_EQ(asked.back().defaultExt, QStringLiteral("png"));
    EXPECT_TRUE(dlg.fileName().isEmpty());
}

TEST_F(ExportDialogTest, ExportAcceptsWithValidPagesOnly) {
    ExportDialog dlg(m_dialogs, kAny);
    std::vector<QString> shown;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        shown.push_back(r.text);
        return BoxButton::Ok;
    };
    radio(dlg, "textButton")->setChecked(true);
    radio(dlg, "pageRangeButton")->setChecked(true);
    edit(dlg, "pageFromEdit")->setText(QStringLiteral("2"));
    edit(dlg, "pageToEdit")->setText(QString());
    find<QPushButton>(dlg, "exportButton")->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    edit(dlg, "pageToEdit")->setText(QStringLiteral("5"));
    dlg.setFileName(QStringLiteral("/tmp/pages.csv"));
    find<QPushButton>(dlg, "exportButton")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.pageFrom(), 2);
    EXPECT_EQ(dlg.pageTo(), 5);
}

TEST_F(ExportDialogTest, FileWithoutANameIsRefusedWhileTheDialogStaysOpen) {
    ExportDialog dlg(m_dialogs, kAny);
    std::vector<QString> captions;
    bool openDuringMessage = true;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        captions.push_back(r.caption);
        openDuringMessage = openDuringMessage && dlg.isVisible() && r.owner == &dlg;
        return BoxButton::Ok;
    };
    m_dialogs.onFile = [](const FileDialogRequest&) -> std::optional<QString> {
        return QStringLiteral("/tmp/chosen.png");
    };
    int clicks = 0;
    // Export without a name, then Browse and Export again: one dialog session.
    QTimer::singleShot(0, &dlg, [&] {
        radio(dlg, "bitmapButton")->setChecked(true);
        radio(dlg, "fileButton")->setChecked(true);
        find<QPushButton>(dlg, "exportButton")->click();
        ++clicks;
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(radio(dlg, "bitmapButton")->isChecked()); // the choices are kept
        EXPECT_EQ(dlg.focusWidget(), find<QPushButton>(dlg, "browseButton"));
        find<QPushButton>(dlg, "browseButton")->click();
        find<QPushButton>(dlg, "exportButton")->click();
        ++clicks;
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(captions, std::vector<QString>{QStringLiteral("Error[E9013]")});
    EXPECT_TRUE(openDuringMessage);
    EXPECT_EQ(dlg.fileName(), QStringLiteral("/tmp/chosen.png"));
    EXPECT_EQ(dlg.exportType(), ExportType::BitMap);
}

TEST_F(ExportDialogTest, LineColourDefaultsPickAndCancel) {
    LineColorDialog dlg(m_dialogs);
    auto* swatch = dlg.findChild<ShapeFrame*>(QStringLiteral("mainLineColorSample"));
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(dlg.firstColor(), QColor(0, 0, 255));
    EXPECT_EQ(dlg.secondColor(), QColor(255, 0, 0));

    QColor offered;
    m_dialogs.onColor = [&](const QColor& initial) -> std::optional<QColor> {
        offered = initial;
        return QColor(0, 128, 0);
    };
    find<QPushButton>(dlg, "mainLineColorButton")->click();
    EXPECT_EQ(offered, QColor(0, 0, 255));
    find<QPushButton>(dlg, "subLineColorButton")->click();
    EXPECT_EQ(offered, QColor(255, 0, 0));
    // Cancel of the dialog keeps what was picked: there is no copy to restore.
    find<QPushButton>(dlg, "cancelButton")->click();
    EXPECT_EQ(dlg.firstColor(), QColor(0, 128, 0));
    m_dialogs.onColor = [](const QColor&) { return std::optional<QColor>(); };
    find<QPushButton>(dlg, "subLineColorButton")->click();
    EXPECT_EQ(dlg.secondColor(), QColor(0, 128, 0));
    find<QPushButton>(dlg, "defaultColorsButton")->click();
    EXPECT_EQ(dlg.firstColor(), QColor(0, 0, 255));
    EXPECT_EQ(dlg.secondColor(), QColor(255, 0, 0));
    // The swatch shows the colour the dialog reports; relabelled buttons keep working.
    EXPECT_EQ(swatch->brushColor(), dlg.firstColor());
    dlg.setButtonTexts(QStringLiteral(" Main-Data Color"), QStringLiteral(" Sub-Data Color"));
    EXPECT_EQ(find<QPushButton>(dlg, "subLineColorButton")->text(),
              QStringLiteral(" Sub-Data Color"));
}

TEST(NameFilters, OfferBothCasesAndKeepDescriptions) {
    EXPECT_EQ(ToNameFilters(
                  QStringLiteral("Data Logger files(*.g53)|*.g53|Temporary files(*.TMP)|*.tmp")),
              (QStringList{QStringLiteral("Data Logger files (*.g53 *.G53)"),
                           QStringLiteral("Temporary files (*.tmp *.TMP)")}));
}

TEST_F(ExportDialogTest, TidyLayoutIsOfferedForSeveralMetersOnlyAndOnlyForTheTidyCsv) {
    ExportDialog dlg(m_dialogs, kAny);
    auto* group = find<QGroupBox>(dlg, "tidyLayoutGroup");
    // One meter: no layout choice at all, and the export is long.
    radio(dlg, "tidyTextButton")->setChecked(true);
    EXPECT_FALSE(group->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.tidyLayout(), TidyLayout::Long);

    dlg.setSeveralMeters(true);
    EXPECT_TRUE(group->isVisibleTo(&dlg));
    EXPECT_TRUE(group->isEnabled());
    EXPECT_TRUE(radio(dlg, "longLayoutButton")->isChecked());
    radio(dlg, "wideLayoutButton")->setChecked(true);
    EXPECT_EQ(dlg.tidyLayout(), TidyLayout::Wide);

    // The standard text and pictures have no layout: the choice greys out and
    // does not reach the export, but comes back with the tidy CSV.
    for (const char* other : {"textButton", "bitmapButton"}) {
        radio(dlg, other)->setChecked(true);
        EXPECT_FALSE(group->isEnabled()) << other;
        EXPECT_EQ(dlg.tidyLayout(), TidyLayout::Long) << other;
    }
    radio(dlg, "tidyTextButton")->setChecked(true);
    EXPECT_TRUE(group->isEnabled());
    EXPECT_EQ(dlg.tidyLayout(), TidyLayout::Wide);

    dlg.setSeveralMeters(false);
    EXPECT_FALSE(group->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.tidyLayout(), TidyLayout::Long);
}
