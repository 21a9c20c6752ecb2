#pragma once

#include "ReportPage.h"

#include <QWidget>

namespace report {

// Shows one prepared page on screen at a zoom factor (1.0 = real size on the screen).
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const ReportPage &page);
    void clearPage();
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // Size of the page on screen at zoom 1.0, in pixels.
    QSizeF naturalSize() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ReportPage page_;
    bool hasPage_ = false;
    double zoom_ = 1.0;
};

} // namespace report
