#include "TextMeasure.h"

#include <QFontMetricsF>
#include <QImage>

namespace report {

double textWidthMm(const QString &text, const FontStyle &font)
{
    constexpr double dpi = 1200;
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        return image;
    }();
    const QFontMetricsF metrics(font.toFont(), &device);
    double widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    // A little slack so rounding on another device never forces a wrap.
    return widest / device.logicalDpiX() * 25.4 + 0.5;
}

} // namespace report
