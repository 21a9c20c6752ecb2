#include "PageView.h"

#include "PagePainter.h"

#include <QPainter>

namespace report {

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pageView"));
    setAccessibleName(QStringLiteral("Page"));
}

void PageView::setPage(const ReportPage &page)
{
    page_ = page;
    hasPage_ = true;
    resize(sizeHint());
    update();
}

void PageView::clearPage()
{
    hasPage_ = false;
    update();
}

void PageView::setZoom(double zoom)
{
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

QSizeF PageView::naturalSize() const
{
    constexpr double mmPerInch = 25.4;
    return {page_.sizeMm.width() * logicalDpiX() / mmPerInch, page_.sizeMm.height() * logicalDpiY() / mmPerInch};
}

QSize PageView::sizeHint() const
{
    return (naturalSize() * zoom_).toSize();
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (hasPage_)
        paintPage(painter, page_, zoom_);
}

} // namespace report
