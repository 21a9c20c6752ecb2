#pragma once

#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace report {

// Font of a text object. Sizes given in pixels are pixels of a 96 dpi screen, as layout
// designers think of them; they are turned into points so every device scales them alike.
struct FontStyle {
    QString family = QStringLiteral("Calibri");
    double pixelSize = 13;  // used when pointSize is 0
    double pointSize = 0;
    bool bold = false;

    double points() const { return pointSize > 0 ? pointSize : pixelSize * 72.0 / 96.0; }
    QFont toFont(double scale = 1.0) const;
};

// A text box inside a band. Positions are millimetres from the band's top-left corner.
// The text is a template: literal text with [expressions] evaluated per printed band
// (see TextTemplate.h).
struct TextBox {
    QRectF rectMm;
    QString text;
    FontStyle font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = true;
    bool growToFit = false;     // the box widens to the width of its text, never narrows
    bool anchorBottom = false;  // sits on the bottom edge of its band
    QString displayFormat;      // for values of expressions, e.g. "%2.0n"; empty: plain
};

// A horizontal rule starting at startMm (band coordinates).
struct Rule {
    QPointF startMm;
    double lengthMm = 0;
    double thicknessMm = 0.26;
};

enum class BandKind { PageHeader, ColumnHeader, MasterData, ReportSummary, PageFooter };

struct Band {
    BandKind kind = BandKind::MasterData;
    double heightMm = 0;
    QString dataSet;  // the dataset a master-data band prints once per row
    QList<TextBox> texts;
    QList<Rule> rules;
};

struct ReportLayout {
    QString name;
    QSizeF pageSizeMm{210, 297};
    QMarginsF marginsMm{10, 10, 10, 10};
    QList<Band> bands;

    double bandWidthMm() const { return pageSizeMm.width() - marginsMm.left() - marginsMm.right(); }
    // The first band of that kind, or nullptr.
    const Band *band(BandKind kind) const;
};

} // namespace report
