// FrmSEO: the keyword-link table window.
#include "rewriting/frm_seo.h"

#include "app/app_context.h"
#include "rewriting/keyword_store.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

FrmSEO::FrmSEO(AppContext &context, QWidget *parent)
    : QDialog(parent), TxtCache(KeywordStore::linkTemplate()), m_context(context)
{
    setObjectName(QStringLiteral("FrmSEO"));
    setWindowTitle(QStringLiteral("关键词优化"));
    resize(520, 460);
    auto *frame1 = new QGroupBox(QStringLiteral("关键词替换"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    ListView1 = new QTreeWidget(frame1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *frame2 = new QGroupBox(QStringLiteral("信息添加"), frame1);
    frame2->setObjectName(QStringLiteral("Frame2"));
    TxtWord = new QLineEdit(frame2);
    TxtWord->setObjectName(QStringLiteral("TxtWord"));
    TxtUrl = new QLineEdit(QStringLiteral("http://"), frame2);
    TxtUrl->setObjectName(QStringLiteral("TxtUrl"));
    CmdOK = new QPushButton(QStringLiteral("添加"), frame2);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    auto *entry = new QGridLayout(frame2);
    entry->addWidget(new QLabel(QStringLiteral("关键词："), frame2), 0, 0);
    entry->addWidget(TxtWord, 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("链接地址："), frame2), 1, 0);
    entry->addWidget(TxtUrl, 1, 1);
    entry->addWidget(CmdOK, 0, 2, 2, 1);

    auto *label1 = new QLabel(QStringLiteral("温馨提示：强烈建议开启本功能，这将对您的关键词SEO十分有帮助"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);

    auto *inner = new QVBoxLayout(frame1);
    inner->addWidget(ListView1);
    inner->addWidget(frame2);
    inner->addWidget(label1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);

    cmenu = new QMenu(QStringLiteral("菜单"), this);
    cmenu->setObjectName(QStringLiteral("cmenu"));
    QAction *tdel = cmenu->addAction(QStringLiteral("删除"));
    tdel->setObjectName(QStringLiteral("tdel"));
    connect(tdel, &QAction::triggered, this, &FrmSEO::tdel_Click);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        cmenu->popup(ListView1->viewport()->mapToGlobal(at));
    });
    connect(CmdOK, &QPushButton::clicked, this, &FrmSEO::CmdOK_Click);
    LoadKeywordList();
}

void FrmSEO::LoadKeywordList()
{
    ListView1->clear();
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("关键词"), QStringLiteral("链接")});
    ListView1->header()->resizeSection(0, 800 / 15);
    ListView1->header()->resizeSection(1, 1600 / 15);
    ListView1->header()->resizeSection(2, 4000 / 15);
    const std::optional<QList<KeywordLink>> rows = KeywordStore(m_context.programDir).rows();
    if (!rows)
        return;
    for (const KeywordLink &row : *rows)
        new QTreeWidgetItem(ListView1, {QString::number(row.id), row.keyword, row.link});
}

void FrmSEO::CmdOK_Click()
{
    MessageBoxes &messages = *m_context.seams.messages;
    if (TxtUrl->text().isEmpty()) {
        messages.show(MessageIcon::Information, QStringLiteral("提示"), QStringLiteral("请填写关键词链接！"));
        TxtUrl->setFocus();
        return;
    }
    if (TxtWord->text().isEmpty()) {
        messages.show(MessageIcon::Information, QStringLiteral("提示"), QStringLiteral("请填写关键词！"));
        TxtWord->setFocus();
        return;
    }
    KeywordStore store(m_context.programDir);
    if (store.add(TxtWord->text(), TxtUrl->text()))
        messages.show(MessageIcon::Information, QStringLiteral("提示"), QStringLiteral("添加成功！"));
    else
        messages.show(MessageIcon::Error, QStringLiteral("提示"),
                      QStringLiteral("添加失败：") + store.errorText());
    LoadKeywordList();
}

void FrmSEO::tdel_Click()
{
    MessageBoxes &messages = *m_context.seams.messages;
    QTreeWidgetItem *item = ListView1->currentItem();
    if (!item || !item->isSelected()) {
        messages.show(MessageIcon::Information, QStringLiteral("温馨提示"),
                      QStringLiteral("您未选择任何信息！"));
        return;
    }
    KeywordStore store(m_context.programDir);
    if (store.remove(item->text(0).toLongLong()))
        messages.show(MessageIcon::Information, QStringLiteral("温馨提示"),
                      QStringLiteral("该条信息已经删除！"));
    else
        messages.show(MessageIcon::Error, QStringLiteral("温馨提示"),
                      QStringLiteral("删除失败：") + store.errorText());
    LoadKeywordList();
}
