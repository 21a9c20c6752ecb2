#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

static QString runPdfToText(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfPagesText(const QString &path)
{
    QStringList pages = runPdfToText({QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QList<PdfWord> pdfWords(const QString &path)
{
    constexpr double mmPerPoint = 25.4 / 72.0;
    const QString html = runPdfToText({QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression tag(
        QStringLiteral("<page [^>]*>|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({page, QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint),
                      QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText()});
    }
    return words;
}

QList<PdfWord> wordsNamed(const QList<PdfWord> &words, const QString &text, int page)
{
    QList<PdfWord> found;
    for (const PdfWord &word : words) {
        if (word.text == text && (page < 0 || word.page == page))
            found.append(word);
    }
    return found;
}

std::optional<PdfWord> singleWord(const QList<PdfWord> &words, const QString &text)
{
    const QList<PdfWord> found = wordsNamed(words, text);
    return found.size() == 1 ? std::optional<PdfWord>(found.first()) : std::nullopt;
}
