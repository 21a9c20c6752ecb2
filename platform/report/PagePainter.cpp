#include "PagePainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace report {

constexpr double mmPerInch = 25.4;

QSizeF unitsPerMm(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return {device->logicalDpiX() / mmPerInch, device->logicalDpiY() / mmPerInch};
}

static QRectF toDevice(const QRectF &mm, const QSizeF &scale)
{
    return {mm.x() * scale.width(), mm.y() * scale.height(), mm.width() * scale.width(),
            mm.height() * scale.height()};
}

static void paintText(QPainter &painter, const PlacedText &text, const QSizeF &scale, double zoom)
{
    painter.setFont(text.font.toFont(zoom));
    // Text that does not fit its box runs over the edge rather than lose characters.
    int flags = int(text.alignment) | Qt::TextDontClip;
    if (text.wordWrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(toDevice(text.rectMm, scale), flags, text.text);
}

static void paintRule(QPainter &painter, const PlacedRule &rule, const QSizeF &scale)
{
    QPen pen(Qt::black);
    pen.setWidthF(rule.thicknessMm * scale.height());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QLineF &l = rule.lineMm;
    painter.drawLine(QLineF(l.x1() * scale.width(), l.y1() * scale.height(), l.x2() * scale.width(),
                            l.y2() * scale.height()));
}

void paintPage(QPainter &painter, const ReportPage &page, double zoom)
{
    const QSizeF base = unitsPerMm(painter);
    const QSizeF scale(base.width() * zoom, base.height() * zoom);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PlacedRule &rule : page.rules)
        paintRule(painter, rule, scale);
    painter.setPen(Qt::black);
    for (const PlacedText &text : page.texts)
        paintText(painter, text, scale, zoom);
    painter.restore();
}

} // namespace report
