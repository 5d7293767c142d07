#include "ui/export/ExportDialog.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/export/FitExportDialog.h"
#include "ui/recorder/LineColorDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

class ExportDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetBoxInterceptor(nullptr);
        SetFileDialogInterceptor(nullptr);
        SetColorDialogInterceptor(nullptr);
    }
};

} // namespace

TEST_F(ExportDialogTest, MetafileInInchesShowsAndStoresConvertedSizes) {
    ExportDialog dlg;
    dlg.rbtnMetaFile->setChecked(true);
    EXPECT_TRUE(dlg.rbtnClipBoard->isChecked());
    EXPECT_TRUE(dlg.rbtnMillimeters->isChecked());
    EXPECT_FALSE(dlg.rbtnPixels->isEnabled());
    EXPECT_EQ(dlg.rbtnPixels->text(), QStringLiteral("Pixels"));
    EXPECT_EQ(dlg.editWidth->text(), QStringLiteral("100"));
    EXPECT_EQ(dlg.editHigh->text(), QStringLiteral("68.1"));

    dlg.rbtnInches->setChecked(true);
    EXPECT_EQ(dlg.editWidth->text(), QStringLiteral("3.93700787401575"));
    EXPECT_TRUE(dlg.editHigh->text().startsWith(QStringLiteral("2.681")));

    dlg.editWidth->selectAll();
    dlg.editWidth->insert(QStringLiteral("2")); // typed: emits textEdited
    EXPECT_DOUBLE_EQ(dlg.pictureWidth(), 5080.0);
    EXPECT_DOUBLE_EQ(dlg.pictureHeight(), 6810.0);

    // A text that is no number keeps the size, and Export refuses it with a message.
    std::vector<QString> shown;
    SetBoxInterceptor([&](const BoxRequest& r) {
        shown.push_back(r.text);
        return BoxButton::Ok;
    });
    dlg.editHigh->selectAll();
    dlg.editHigh->insert(QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(dlg.pictureHeight(), 6810.0);
    dlg.btnExport->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QStringLiteral("'2,5' is not a valid floating point value"));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(dlg.editHigh->text().startsWith(QStringLiteral("2.681")));
}

TEST_F(ExportDialogTest, TextHidesSizeGroupAndForcesFile) {
    ExportDialog dlg;
    dlg.rbtnBitMap->setChecked(true);
    dlg.rbtnPrinter->setChecked(true);
    EXPECT_FALSE(dlg.btnBrowse->isEnabled());
    EXPECT_TRUE(dlg.gbObjectSize->isVisibleTo(&dlg));
    dlg.rbtnText->setChecked(true);
    EXPECT_TRUE(dlg.rbtnFile->isChecked());
    EXPECT_FALSE(dlg.rbtnClipBoard->isEnabled());
    EXPECT_FALSE(dlg.rbtnPrinter->isEnabled());
    EXPECT_TRUE(dlg.btnBrowse->isEnabled());
    EXPECT_FALSE(dlg.gbObjectSize->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.rbtnThisPage->isChecked());
    EXPECT_FALSE(dlg.editPageFrom->isEnabled());
    dlg.rbtnPage->setChecked(true);
    EXPECT_TRUE(dlg.editPageFrom->isEnabled());
    EXPECT_TRUE(dlg.lblTo->isEnabled());
}

TEST_F(ExportDialogTest, PrinterPageScopeDependsOnTheDialog) {
    ExportDialog recorderDialog;
    FitExportDialog viewerDialog;
    for (ExportDialog* dlg : {&recorderDialog, static_cast<ExportDialog*>(&viewerDialog)}) {
        dlg->rbtnMetaFile->setChecked(true);
        dlg->rbtnPrinter->setChecked(true);
    }
    EXPECT_TRUE(recorderDialog.rbtnPageAll->isEnabled());
    EXPECT_TRUE(recorderDialog.rbtnPage->isEnabled());
    EXPECT_FALSE(viewerDialog.rbtnPageAll->isEnabled());
    EXPECT_FALSE(viewerDialog.rbtnPage->isEnabled());
    EXPECT_TRUE(viewerDialog.rbtnThisPage->isChecked());
    EXPECT_EQ(viewerDialog.sourceFlag, 1);
}

TEST_F(ExportDialogTest, BrowseAsksWithTheTypesExtensionAndShowsShortName) {
    ExportDialog dlg;
    std::vector<FileDialogRequest> asked;
    const QString chosen = QStringLiteral("/home/user/measurements/dec/run-0042.csv");
    SetFileDialogInterceptor([&](const FileDialogRequest& r) -> std::optional<QString> {
        asked.push_back(r);
        return chosen;
    });
    dlg.rbtnText->setChecked(true);
    dlg.btnBrowse->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].defaultExt, QStringLiteral("csv"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("CSV files(*.csv)|*.csv"));
    EXPECT_EQ(asked[0].fileName, QStringLiteral("Untitled"));
    EXPECT_TRUE(asked[0].overwritePrompt);
    EXPECT_EQ(dlg.fileName(), chosen);
    EXPECT_EQ(dlg.stxFileName->text(), QStringLiteral("/ho...rements/dec/run-0042.csv"));

    dlg.rbtnBitMap->setChecked(true); // clipboard: the name is cleared
    EXPECT_TRUE(dlg.fileName().isEmpty());
    EXPECT_TRUE(dlg.stxFileName->text().isEmpty());
    dlg.rbtnFile->setChecked(true);
    SetFileDialogInterceptor([&](const FileDialogRequest& r) -> std::optional<QString> {
        asked.push_back(r);
        return std::nullopt; // cancelled
    });
    dlg.btnBrowse->click();
    EXPECT_EQ(asked.back().defaultExt, QStringLiteral("png"));
    EXPECT_TRUE(dlg.fileName().isEmpty());
}

TEST_F(ExportDialogTest, ExportAcceptsWithValidPagesOnly) {
    ExportDialog dlg;
    std::vector<QString> shown;
    SetBoxInterceptor([&](const BoxRequest& r) {
        shown.push_back(r.text);
        return BoxButton::Ok;
    });
    dlg.rbtnText->setChecked(true);
    dlg.rbtnPage->setChecked(true);
    dlg.editPageFrom->setText(QStringLiteral("2"));
    dlg.editPageTo->setText(QString());
    dlg.btnExport->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    dlg.editPageTo->setText(QStringLiteral("5"));
    dlg.btnExport->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.pageFrom(), 2);
    EXPECT_EQ(dlg.pageTo(), 5);
}

TEST_F(ExportDialogTest, LineColourDefaultsPickAndCancel) {
    LineColorDialog dlg;
    EXPECT_EQ(dlg.ShapeLineColor1->brushColor(), QColor(0, 0, 255));
    EXPECT_EQ(dlg.ShapeLineColor2->brushColor(), QColor(255, 0, 0));

    QColor offered;
    SetColorDialogInterceptor([&](const QColor& initial) -> std::optional<QColor> {
        offered = initial;
        return QColor(0, 128, 0);
    });
    dlg.btnLineColor1->click();
    EXPECT_EQ(offered, QColor(0, 0, 255));
    dlg.btnLineColor2->click();
    EXPECT_EQ(offered, QColor(255, 0, 0));
    // Cancel of the dialog keeps what was picked: there is no copy to restore.
    dlg.CancelBtn->click();
    EXPECT_EQ(dlg.ShapeLineColor1->brushColor(), QColor(0, 128, 0));
    SetColorDialogInterceptor([](const QColor&) { return std::optional<QColor>(); });
    dlg.btnLineColor2->click();
    EXPECT_EQ(dlg.ShapeLineColor2->brushColor(), QColor(0, 128, 0));
    dlg.btnDefault->click();
    EXPECT_EQ(dlg.ShapeLineColor1->brushColor(), QColor(0, 0, 255));
    EXPECT_EQ(dlg.ShapeLineColor2->brushColor(), QColor(255, 0, 0));
}

TEST(NameFilters, OfferBothCasesAndKeepDescriptions) {
    EXPECT_EQ(ToNameFilters(
                  QStringLiteral("Data Logger files(*.g53)|*.g53|Temporary files(*.TMP)|*.tmp")),
              (QStringList{QStringLiteral("Data Logger files (*.g53 *.G53)"),
                           QStringLiteral("Temporary files (*.tmp *.TMP)")}));
}
