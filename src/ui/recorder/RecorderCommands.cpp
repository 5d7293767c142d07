#include "ui/recorder/RecorderCommands.h"

#include "meter/AppState.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"
#include "recording/recorderpages.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/WindowMessages.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"
#include "ui/main/AppWindows.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <memory>
#include <new>

namespace telmora {

namespace {

constexpr int kPumpIntervalMs = 30; // how often long loops let the window breathe

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

const QString kRecorderFilter = QStringLiteral("Data Logger files(*.g53)|*.g53");

void refreshMainWindow() {
    if (MainWindow* main = Windows().FormMain)
        main->refreshControls();
}

void setBusy(RecorderWindow& form, bool busy) {
    App().busy = busy ? 1 : 0;
    form.RefreshControls();
    refreshMainWindow();
}

// The message FileSaveError with the file and the reason, for a save or export that failed.
void reportWriteFailure(QWidget* owner, const QString& path, const QString& reason) {
    QString message = text(TextId::FileSaveError);
    message += QStringLiteral("\n%1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        message += QStringLiteral("\n(%1)").arg(reason);
    showDirectBox(owner, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                  {BoxButton::Ok});
}

void tellDataList(WindowMessageEvent&& message) {
    if (DataListWindow* list = Windows().DataStringGridForm)
        QCoreApplication::sendEvent(list, &message);
}

// The progress window of a load: the registered one, or one of our own.
class LoadProgress {
public:
    explicit LoadProgress(QWidget* owner) {
        m_form = Windows().MsgForm;
        if (m_form == nullptr) {
            m_own = std::make_unique<ProgressWindow>(owner);
            m_form = m_own.get();
        }
        m_abort = QObject::connect(m_form, &ProgressWindow::abortRequested, [] { App().busy = 0; });
    }
    ~LoadProgress() {
        QObject::disconnect(m_abort);
        m_form->setAbortEnabled(true);
        m_form->hide();
    }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;
    ProgressWindow* operator->() const { return m_form; }

private:
    ProgressWindow* m_form = nullptr;
    std::unique_ptr<ProgressWindow> m_own;
    QMetaObject::Connection m_abort;
};

// Empties a partly loaded buffer so that buffer, count, pages and flags agree.
void discardLoad(RecorderWindow& form) {
    form.recorder().clearBuffer();
    form.setPages(1, 1);
    form.ResetGraph();
    tellDataList(WindowMessageEvent(WindowMessage::BufferCleared));
    form.ShowExtremes();
    form.RefreshStatus();
}

} // namespace

bool RecorderSave(RecorderWindow& form) {
    RecorderState& state = form.recorder();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = &form;
    request.caption = text(TextId::MenuFileSaveAs).remove(QLatin1Char('&'));
    request.defaultExt = QStringLiteral("g53");
    request.fileName = QStringLiteral("Untitled.g53");
    request.filter = kRecorderFilter;
    request.overwritePrompt = true;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return false;

    QString error;
    bool saved = false;
    {
        WaitCursor wait;
        saved = SaveRecorderFile(*path, state.buffer(), &error);
    }
    if (!saved) {
        reportWriteFailure(&form, *path, error);
        return false;
    }
    state.setEmpty(state.buffer().empty());
    state.setUnsaved(false);
    form.RefreshControls();
    return true;
}

void RecorderOpen(RecorderWindow& form) {
    RecorderState& state = form.recorder();
    form.sbtnClearClick();
    if (!state.isEmpty())
        return;

    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.owner = &form;
    request.caption = text(TextId::MenuFileOpen).remove(QLatin1Char('&'));
    request.defaultExt = QStringLiteral("g53");
    request.filter = kRecorderFilter + QStringLiteral("|Temporary files(*.TMP)|*.tmp");
    request.filterIndex = 1;
    request.overwritePrompt = false;
    const std::optional<QString> path = RunFileDialog(request);
    if (!path)
        return;

    QCoreApplication::processEvents();
    RecorderFileReader reader;
    if (reader.open(*path) != RecorderFileReader::OpenStatus::Ok) {
        showError(&form, TextId::FileOpenError);
        return;
    }

    bool cutShort = false;
    {
        WaitCursor wait;
        LoadProgress progress(&form);
        progress->setMessage(noticeLine(TextId::ReadingSelectedFile), Qt::red);
        progress->setDetail(QString());
        progress->setRange(0, 64);
        progress->setValue(0);
        progress->show();
        progress->repaint();
        setBusy(form, true);

        const std::int64_t n = reader.count();
        const std::int32_t lastPage = LastPageForCount(n);
        form.ProgressBar->setRange(0, kPointsPerPage);
        form.ProgressBar->setValue(0);

        SampleList& buffer = state.buffer();
        SampleEntry entry;
        QElapsedTimer sincePump;
        sincePump.start();
        auto pump = [&](std::int64_t done) {
            progress->setValue(n > 0 ? static_cast<int>(done * 64 / n) : 64);
            progress->setDetail(FillFormat(text(TextId::ReadingDataFormat), {done, n}));
            QCoreApplication::processEvents();
            sincePump.restart();
        };
        pump(0);
        for (std::int64_t i = 0; i < n; ++i) {
            if (sincePump.elapsed() >= kPumpIntervalMs)
                pump(i);
            if (App().busy == 0) { // Abort in the progress window
                discardLoad(form);
                setBusy(form, false);
                return;
            }
            if (!reader.readNext(entry)) {
                discardLoad(form);
                setBusy(form, false);
                showError(&form, TextId::FileOpenError);
                return;
            }
            try {
                buffer.append(entry);
            } catch (const std::bad_alloc&) {
                discardLoad(form);
                setBusy(form, false);
                showError(&form, TextId::OutOfMemory);
                return;
            }
        }
        cutShort = reader.cutShort();
        progress->setValue(64);
        progress->setDetail(FillFormat(text(TextId::ReadingDataFormat), {n, n}));
        progress->setAbortEnabled(false);
        QCoreApplication::processEvents();
        progress->setMessage(noticeLine(TextId::AddingDataToBuffer), Qt::blue);
        progress->repaint();

        // Second pass: scale, extremes and count, as if each sample had just been
        // taken. The data list and the status bar follow at intervals; the data
        // list adds every line up to the index it is told.
        sincePump.restart();
        for (std::int64_t j = 0; j < n; ++j) {
            const float value = buffer[static_cast<std::size_t>(j)].main.value;
            state.updateScale(value);
            state.updateExtremes(value);
            state.countSample();
            if (sincePump.elapsed() >= kPumpIntervalMs) {
                form.setPages(lastPage, PageOfIndex(j));
                tellDataList(WindowMessageEvent(WindowMessage::SampleAdded, j));
                form.ProgressBar->setValue(static_cast<int>(j % kPointsPerPage));
                form.RefreshStatus();
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                sincePump.restart();
            }
        }
        if (n > 0)
            tellDataList(WindowMessageEvent(WindowMessage::SampleAdded, n - 1));
        form.ProgressBar->setValue(static_cast<int>(n % kPointsPerPage));

        form.setPages(lastPage, lastPage);
        form.DrawPage();
    }
    form.ChartWidget->setCursorPoint(kPointsPerPage - 1);
    form.CursorReadout();
    form.ShowExtremes();
    state.setEmpty(state.buffer().empty());
    state.setUnsaved(!state.buffer().empty());
    setBusy(form, false);
    form.RefreshStatus();
    if (cutShort)
        showWarning(&form, TextId::FileDamaged);
}

void RecorderFitView(RecorderWindow& form) {
    if (RecordingOverview* viewer = Windows().FormViewGraphic) {
        viewer->viewRecording(form.recorder());
        return;
    }
    RecordingOverview viewer(&form);
    viewer.viewRecording(form.recorder());
}

void RecorderExport(RecorderWindow& form) {
    std::unique_ptr<ExportDialog> own;
    ExportDialog* dlg = Windows().DlgExportForm;
    if (dlg == nullptr) {
        own = std::make_unique<ExportDialog>(ExportDialog::PrinterPages::Any, &form);
        dlg = own.get();
    }
    const std::int32_t lastPage = form.lastPage();
    const std::int32_t currentPage = form.currentPage();
    dlg->setTextExportAllowed(true);
    dlg->selectType(ExportType::Text);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, lastPage);
    dlg->setFileName(QString());
    dlg->focusBrowse();
    if (dlg->exec() != QDialog::Accepted)
        return;

    const ExportDestination destination = dlg->destination();
    const QString fileName = dlg->fileName();
    if (destination == ExportDestination::File && fileName.isEmpty()) {
        showError(&form, TextId::BrowseForFileName);
        return;
    }

    // The pages chosen: This Page, From..To (put in order and kept inside the
    // recording) or All Pages.
    std::int32_t first = currentPage;
    std::int32_t last = currentPage;
    if (dlg->pageScope() == PageScope::Range) {
        first = std::clamp(dlg->pageFrom().value_or(1), 1, lastPage);
        last = std::clamp(dlg->pageTo().value_or(lastPage), 1, lastPage);
        if (first > last)
            std::swap(first, last);
    } else if (dlg->pageScope() == PageScope::AllPages) {
        first = 1;
        last = lastPage;
    }

    if (dlg->exportType() == ExportType::Text) {
        QString error;
        bool written = false;
        {
            WaitCursor wait;
            written = ExportRecorderText(fileName, form.recorder().buffer(), first, last, lastPage,
                                         &error);
        }
        if (!written)
            reportWriteFailure(&form, fileName, error);
        return;
    }

    if (destination != ExportDestination::Printer)
        first = last = currentPage; // a picture to the clipboard or a file is one page
    PictureExportRequest request{dlg->exportType(),
                                 destination,
                                 fileName,
                                 QSize(static_cast<int>(std::lround(dlg->pictureWidth())),
                                       static_cast<int>(std::lround(dlg->pictureHeight()))),
                                 first,
                                 last,
                                 currentPage};
    const PictureExportResult result = exportChartPictures(
        *form.ChartWidget, request, telmora::ChartWidget::printer(), [&](int page) {
            form.setPages(lastPage, page);
            form.DrawPage();
        });
    const bool failed = result == PictureExportResult::WriteFailed;
    if (failed)
        reportWriteFailure(&form, fileName, QString());
}

} // namespace telmora
