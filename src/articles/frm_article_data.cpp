// FrmArticleData: the article manager.
#include "articles/frm_article_data.h"

#include "app/app_context.h"
#include "articles/article_list_model.h"
#include "articles/article_store.h"
#include "articles/frm_add_article.h"
#include "articles/frm_edit.h"
#include "articles/frm_out.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FrmArticleData::FrmArticleData(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context),
      m_model(new ArticleListModel(context.programDir, this))
{
    setObjectName(QStringLiteral("FrmArticleData"));
    setWindowTitle(QStringLiteral("文章管理"));
    resize(680, 520);
    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true); // rows are laid out without asking for each one
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setModel(m_model);

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    CmdClearAll = button("CmdClearAll", QStringLiteral("清空所有文章"));
    CmdOut = button("CmdOut", QStringLiteral("导出所有的文章"));
    Cmddel = button("Cmddel", QStringLiteral("删除文章"));
    CmdEdit = button("CmdEdit", QStringLiteral("编辑文章"));
    CmdAddArticle = button("CmdAddArticle", QStringLiteral("手动添加文章"));

    tMenu = new QMenu(QStringLiteral("弹出菜单"), this);
    tMenu->setObjectName(QStringLiteral("tMenu"));
    QAction *edit = tMenu->addAction(QStringLiteral("编辑"));
    edit->setObjectName(QStringLiteral("edit"));
    QAction *del = tMenu->addAction(QStringLiteral("删除"));
    del->setObjectName(QStringLiteral("delete"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {CmdEdit, Cmddel, CmdAddArticle, CmdOut, CmdClearAll})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView1);
    layout->addLayout(buttons);

    connect(CmdEdit, &QPushButton::clicked, this, &FrmArticleData::OpenArticleForEdit);
    connect(edit, &QAction::triggered, this, &FrmArticleData::OpenArticleForEdit);
    connect(ListView1, &QTreeView::doubleClicked, this, &FrmArticleData::OpenArticleForEdit);
    connect(Cmddel, &QPushButton::clicked, this, &FrmArticleData::DeleteSelectedArticle);
    connect(del, &QAction::triggered, this, &FrmArticleData::DeleteSelectedArticle);
    connect(CmdClearAll, &QPushButton::clicked, this, &FrmArticleData::CmdClearAll_Click);
    connect(CmdAddArticle, &QPushButton::clicked, this, &FrmArticleData::CmdAddArticle_Click);
    connect(CmdOut, &QPushButton::clicked, this, &FrmArticleData::CmdOut_Click);
    // The custom context menu request comes from the right button only.
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        tMenu->popup(ListView1->viewport()->mapToGlobal(at));
    });

    LoadArticleList();
}

void FrmArticleData::LoadArticleList()
{
    m_model->reload();
    ListView1->header()->resizeSection(0, 1000 / 15);
    ListView1->header()->resizeSection(1, 8000 / 15);
}

int FrmArticleData::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FrmArticleData::OpenArticleForEdit()
{
    if (m_model->rowCount() == 0)
        return;
    const int row = selectedRow();
    if (row < 0)
        return;
    ArticleStore store(m_context.programDir);
    const std::optional<Article> article = store.read(m_model->idAt(row));
    if (!article)
        return; // deleted meanwhile: nothing to show
    if (!m_edit) {
        m_edit = new FrmEdit(m_context, this);
        m_edit->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_edit, &FrmEdit::saved, this, &FrmArticleData::LoadArticleList);
    }
    m_edit->show();
    m_edit->raise();
    m_edit->setArticle(article->title, article->content, m_model->idTextAt(row));
}

void FrmArticleData::DeleteSelectedArticle()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    ArticleStore store(m_context.programDir);
    if (store.remove(m_model->idAt(row)))
        m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("温馨提示"),
                                       QStringLiteral("文章已经删除"));
    else
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("温馨提示"),
                                       QStringLiteral("删除失败：") + store.errorText());
    LoadArticleList();
}

void FrmArticleData::CmdClearAll_Click()
{
    if (!m_context.seams.messages->ask(QStringLiteral("用户确认"),
                                       QStringLiteral("本操作将会删除所有数据，你确认吗？")))
        return;
    ArticleStore store(m_context.programDir);
    if (!store.removeAll())
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("提示"),
                                       QStringLiteral("清空失败：") + store.errorText());
    LoadArticleList();
}

void FrmArticleData::CmdAddArticle_Click()
{
    auto *add = new FrmAddArticle(m_context, this);
    add->setAttribute(Qt::WA_DeleteOnClose);
    add->setWindowModality(Qt::ApplicationModal);
    connect(add, &FrmAddArticle::saved, this, &FrmArticleData::LoadArticleList);
    add->show();
}

void FrmArticleData::CmdOut_Click()
{
    auto *out = new FrmOut(m_context, this);
    out->setAttribute(Qt::WA_DeleteOnClose);
    out->setWindowModality(Qt::ApplicationModal);
    out->show();
}
