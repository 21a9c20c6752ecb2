#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>

// Reading a PDF back with poppler's pdftotext, as a person would read the printout.
struct PdfWord {
    int page = 0;     // from 0
    QRectF rectMm;    // on the page, from its top-left corner
    QString text;
};

// The text of every page with its layout kept; one entry per page.
QStringList pdfPagesText(const QString &path);
// Every word with its box.
QList<PdfWord> pdfWords(const QString &path);
// The one word that equals text, or nullopt when there is none or more than one.
std::optional<PdfWord> singleWord(const QList<PdfWord> &words, const QString &text);
// The words of one page that equal text, in reading order.
QList<PdfWord> wordsNamed(const QList<PdfWord> &words, const QString &text, int page = -1);
