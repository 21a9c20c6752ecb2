#pragma once

#include <QPixmap>
#include <QWidget>

// A picture that fills its widget scaled to fit, keeping its proportions, centred, on a
// transparent background.
class ScaledImage : public QWidget {
    Q_OBJECT
public:
    explicit ScaledImage(QWidget *parent = nullptr);
    void setPixmap(const QPixmap &pixmap);
    const QPixmap &pixmap() const { return pixmap_; }
    // Where the picture is drawn at the widget's current size.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap pixmap_;
};
