// FrmAddArticle: the article entry window.
#include "articles/frm_add_article.h"

#include "app/app_context.h"
#include "articles/article_store.h"
#include "common/codec.h"
#include "common/program_dir.h"
#include "common/web_browser.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmAddArticle::FrmAddArticle(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("FrmAddArticle"));
    setWindowTitle(QStringLiteral("新增文章"));
    resize(720, 520);
    TxtTittle = new QLineEdit(this);
    TxtTittle->setObjectName(QStringLiteral("TxtTittle"));
    WebBrowser1 = new WebBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    CmdOK = new QPushButton(QStringLiteral("确认添加"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("文章标题："), this), 0, 0);
    layout->addWidget(TxtTittle, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("文章内容："), this), 1, 0, Qt::AlignTop);
    layout->addWidget(WebBrowser1, 1, 1);
    layout->addWidget(CmdOK, 2, 1, Qt::AlignRight);
    WebBrowser1->Navigate(ProgramDir::file(context.programDir, QStringLiteral("edit/index.html")));
    connect(CmdOK, &QPushButton::clicked, this, &FrmAddArticle::CmdOK_Click);
}

void FrmAddArticle::CmdOK_Click()
{
    if (m_saving)
        return;
    if (TxtTittle->text().isEmpty()) {
        m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                       QStringLiteral("请填写文章标题"));
        TxtTittle->setFocus();
        return;
    }
    m_saving = true;
    // Without a loaded editor page there is no content: the article is stored with the title.
    WebBrowser1->readEditableBody([this](bool ok, const QString &html) {
        m_saving = false;
        store(ok ? Codec::toCrLf(html) : QString());
    });
}

void FrmAddArticle::store(const QString &html)
{
    ArticleStore articles(m_context.programDir);
    if (!articles.SaveArticle(TxtTittle->text(), html)) {
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("提示"),
                                       QStringLiteral("添加失败：") + articles.errorText());
        return;
    }
    m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                   QStringLiteral("添加成功！"));
    emit saved();
    close();
}
