#pragma once

#include "ReportLayout.h"

namespace report {

// Width in millimetres that text needs in that font (widest line), measured at a fixed
// high resolution so the result does not depend on the screen.
double textWidthMm(const QString &text, const FontStyle &font);

} // namespace report
