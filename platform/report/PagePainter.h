#pragma once

#include "ReportPage.h"

class QPainter;

namespace report {

// Draws a page with its top-left corner at the painter's origin, turning millimetres into
// the units of the painter's device (its logical resolution) times zoom. The one routine
// behind the preview, PDF files and printing.
void paintPage(QPainter &painter, const ReportPage &page, double zoom = 1.0);

// Device units per millimetre of the painter's device, horizontally and vertically.
QSizeF unitsPerMm(const QPainter &painter);

} // namespace report
