// FrmArticleData: the article manager. Lists every stored article (lazily, from the store) and
// opens, deletes, clears, adds and exports articles.
#pragma once

#include <QPointer>
#include <QWidget>

struct AppContext;
class ArticleListModel;
class FrmEdit;
class QMenu;
class QPushButton;
class QTreeView;

class FrmArticleData : public QWidget
{
    Q_OBJECT
public:
    FrmArticleData(AppContext &context, QWidget *parent = nullptr);

    void LoadArticleList();
    void OpenArticleForEdit();
    void DeleteSelectedArticle();
    void CmdClearAll_Click();
    void CmdAddArticle_Click();
    void CmdOut_Click();

    QTreeView *ListView1;
    ArticleListModel *model() const { return m_model; }
    QPushButton *CmdClearAll, *CmdOut, *Cmddel, *CmdEdit, *CmdAddArticle;
    QMenu *tMenu;

private:
    int selectedRow() const;

    AppContext &m_context;
    ArticleListModel *m_model;
    QPointer<FrmEdit> m_edit;
};
