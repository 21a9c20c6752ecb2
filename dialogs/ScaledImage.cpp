#include "ScaledImage.h"

#include <QPainter>

ScaledImage::ScaledImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void ScaledImage::setPixmap(const QPixmap &pixmap)
{
    pixmap_ = pixmap;
    update();
}

QRect ScaledImage::pictureRect() const
{
    if (pixmap_.isNull())
        return {};
    const QSize scaled = pixmap_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
}

void ScaledImage::paintEvent(QPaintEvent *)
{
    if (pixmap_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(pictureRect(), pixmap_);
}
