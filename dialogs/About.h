#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class ScaledImage;

// The About box: the program's title and version. Reused for every opening; the caption
// and title are set by whoever opens it, the version at each showing.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *JvgLabel1 = nullptr; // title
    QLabel *Label2 = nullptr;    // "versi :" and the version on the next line
    ScaledImage *ProgramIcon = nullptr;
    QPushButton *OKButton = nullptr;

    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap backgroundTile_;
};
