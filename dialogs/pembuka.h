#pragma once

#include "ModuleView.h"

class QLabel;
class ScaledImage;

// The home view: the installation's name across the top, its address across the bottom,
// the picture between them. While it is shown the main window's menus are open and the
// window may close.
class TForm1_pembuka : public ModuleView {
    Q_OBJECT
public:
    explicit TForm1_pembuka(QWidget *parent = nullptr);

    void FormShow() override;

    QLabel *JvLabel1 = nullptr;
    QLabel *JvLabel2 = nullptr;
    ScaledImage *JvImage1 = nullptr;

    static constexpr int BandHeight = 121;
};
