#pragma once

#include "app/AboutInfo.h"

#include <QDialog>

// The about box, also shown once as the splash when the program starts.
namespace app {

class TfrmSobre : public QDialog
{
    Q_OBJECT
public:
    TfrmSobre(const AboutInfo &info, const QPixmap &logo, QWidget *parent = nullptr);
};

} // namespace app
