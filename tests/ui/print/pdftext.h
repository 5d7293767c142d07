#pragma once

// Reads back what a printed PDF shows: its pages and the boxes of the words on
// them, as poppler's `pdftotext -bbox` reports them (in points, y downwards).

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace telmora::test {

struct PdfWord {
    QString text;
    QRectF box;
};

struct PdfPage {
    QSizeF size;
    std::vector<PdfWord> words;

    // The first word equal to `text`.
    std::optional<PdfWord> word(const QString& text) const {
        for (const PdfWord& w : words)
            if (w.text == text)
                return w;
        return std::nullopt;
    }
    // Every word that matches `pattern` entirely.
    std::vector<PdfWord> wordsMatching(const QRegularExpression& pattern) const {
        std::vector<PdfWord> found;
        for (const PdfWord& w : words)
            if (pattern.match(w.text).hasMatch())
                found.push_back(w);
        return found;
    }
};

inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of the PDF with their words; empty when the file cannot be read.
inline std::vector<PdfPage> readPdfPages(const QString& path) {
    const QString html =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
        "([^<]*)</word>"));
    std::vector<PdfPage> pages;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.push_back({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.empty()) {
            const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
            pages.back().words.push_back({m.captured(7), box});
        }
    }
    return pages;
}

// The page count that pdfinfo reports; -1 when it cannot read the file.
inline int pdfPageCount(const QString& path) {
    static const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                              QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pagesLine.match(runTool(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace telmora::test
