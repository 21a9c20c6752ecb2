#pragma once

#include "ReportLayout.h"

#include <QList>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace report {

// One prepared page, everything placed in millimetres from the paper's top-left corner
// and every text already evaluated: what the painter routine draws on any device.
struct PlacedText {
    QRectF rectMm;
    QString text;
    FontStyle font;
    Qt::Alignment alignment;
    bool wordWrap = true;
};

struct PlacedRule {
    QLineF lineMm;
    double thicknessMm = 0.26;
};

struct ReportPage {
    QSizeF sizeMm{210, 297};
    QList<PlacedText> texts;
    QList<PlacedRule> rules;
};

} // namespace report
