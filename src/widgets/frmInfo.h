#pragma once

#include "files/GaugeInformation.h"
#include "window/InformationControls.h"

#include <QDialog>

namespace vexa {

// The information window: what the program knows of the gauge, shown anew every time it is asked for.
class FrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit FrmInfo(QWidget* parent = nullptr);

    void showTexts(const InformationTexts& texts);
};

} // namespace vexa
