// FrmSEO: the keyword-link table, with adding and deleting.
#pragma once

#include <QDialog>

struct AppContext;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

class FrmSEO : public QDialog
{
    Q_OBJECT
public:
    FrmSEO(AppContext &context, QWidget *parent = nullptr);

    void LoadKeywordList();
    void CmdOK_Click();
    void tdel_Click();

    QTreeWidget *ListView1;
    QLineEdit *TxtWord;
    QLineEdit *TxtUrl;
    QPushButton *CmdOK;
    QMenu *cmenu;
    // The link template for new rows.
    QString TxtCache;

private:
    AppContext &m_context;
};
