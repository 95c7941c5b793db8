// FrmAbout: the about box.
#pragma once

#include <QDialog>

struct AppContext;

class FrmAbout : public QDialog
{
    Q_OBJECT
public:
    FrmAbout(AppContext &context, QWidget *parent = nullptr);
};
