// FrmFriend: the link-exchange platform in a web view.
#pragma once

#include <QDialog>

struct AppContext;

class FrmFriend : public QDialog
{
    Q_OBJECT
public:
    FrmFriend(AppContext &context, QWidget *parent = nullptr);
};
