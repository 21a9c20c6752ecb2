#include "ReportLayout.h"

namespace report {

QFont FontStyle::toFont(double scale) const
{
    QFont font(family);
    font.setPointSizeF(points() * scale);
    font.setBold(bold);
    return font;
}

const Band *ReportLayout::band(BandKind kind) const
{
    for (const Band &b : bands) {
        if (b.kind == kind)
            return &b;
    }
    return nullptr;
}

} // namespace report
