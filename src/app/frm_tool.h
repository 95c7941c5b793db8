// FrmTool: the webmaster's toolbox, a web view and nothing else.
#pragma once

#include <QDialog>

class FrmTool : public QDialog
{
    Q_OBJECT
public:
    explicit FrmTool(QWidget *parent = nullptr);
};
