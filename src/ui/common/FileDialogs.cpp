#include "ui/common/FileDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace telmora {

namespace {

QString withBothCases(const QString& patterns) {
    QStringList out;
    const QStringList parts =
        patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& p : parts) {
        for (const QString& variant : {p, p.toLower(), p.toUpper()})
            if (!out.contains(variant))
                out.append(variant);
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

QStringList ToNameFilters(const QString& pairs) {
    QStringList filters;
    const QStringList parts = pairs.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The description often repeats its pattern in brackets; Qt adds its own.
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        filters.append(
            QStringLiteral("%1 (%2)").arg(description.trimmed(), withBothCases(parts[i + 1])));
    }
    return filters;
}

std::optional<QString> ShowFileDialog(const FileDialogRequest& request, QString& lastDirectory) {
    QFileDialog dialog(request.owner, request.caption);
    dialog.setAcceptMode(request.mode == FileDialogRequest::Mode::Save ? QFileDialog::AcceptSave
                                                                       : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mode == FileDialogRequest::Mode::Save ? QFileDialog::AnyFile
                                                                     : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    const QStringList filters = ToNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(request.filterIndex, 1, int(filters.size())) - 1;
        dialog.selectNameFilter(filters[index]);
    }
    // A name typed without extension gets the one of the filter in use.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch m = firstPattern.match(f);
        if (m.hasMatch())
            dialog.setDefaultSuffix(m.captured(1).toLower());
    });
    if (!lastDirectory.isEmpty() && QDir(lastDirectory).exists())
        dialog.setDirectory(lastDirectory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    lastDirectory = QFileInfo(chosen.first()).absolutePath();
    return QDir::toNativeSeparators(chosen.first());
}

std::optional<QColor> ShowColorDialog(QWidget* owner, const QColor& initial, const QString& title) {
    QColorDialog dialog(initial, owner);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace telmora
