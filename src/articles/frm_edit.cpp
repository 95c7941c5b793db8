// FrmEdit: the article edit window.
#include "articles/frm_edit.h"

#include "app/app_context.h"
#include "articles/article_store.h"
#include "common/codec.h"
#include "common/program_dir.h"
#include "common/web_browser.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

FrmEdit::FrmEdit(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("FrmEdit"));
    setWindowTitle(QStringLiteral("文章编辑"));
    resize(760, 560);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));

    Frame1[0] = new QGroupBox(QStringLiteral("HTML代码模式"), this);
    Text1 = new QPlainTextEdit(Frame1[0]);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    (new QVBoxLayout(Frame1[0]))->addWidget(Text1);

    Frame1[1] = new QGroupBox(QStringLiteral("可视化编辑器模式"), this);
    TxtTittle = new QLineEdit(Frame1[1]);
    TxtTittle->setObjectName(QStringLiteral("TxtTittle"));
    WebBrowser1 = new WebBrowser(Frame1[1]);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    auto *visual = new QGridLayout(Frame1[1]);
    visual->addWidget(new QLabel(QStringLiteral("文章标题："), Frame1[1]), 0, 0);
    visual->addWidget(TxtTittle, 0, 1);
    visual->addWidget(new QLabel(QStringLiteral("文章内容："), Frame1[1]), 1, 0, Qt::AlignTop);
    visual->addWidget(WebBrowser1, 1, 1);
    Frame1[0]->setObjectName(QStringLiteral("Frame1_0"));
    Frame1[1]->setObjectName(QStringLiteral("Frame1_1"));

    CmdSave = new QPushButton(QStringLiteral("确认保存"), this);
    CmdSave->setObjectName(QStringLiteral("CmdSave"));
    auto *label2 = new QLabel(QStringLiteral("提示：请切换到编辑器模式进行修改"), this);
    label2->setObjectName(QStringLiteral("Label2"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CmdSave);
    bottom->addWidget(label2);
    bottom->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(TabStrip1);
    layout->addWidget(Frame1[0], 1);
    layout->addWidget(Frame1[1], 1);
    layout->addLayout(bottom);

    WebBrowser1->Navigate(ProgramDir::file(context.programDir, QStringLiteral("edit/index.html")));
    TabStrip1->addTab(QStringLiteral("HTML代码模式"));
    TabStrip1->addTab(QStringLiteral("编辑器模式"));
    TabStrip1->setCurrentIndex(0);
    HideModePanels();
    Frame1[0]->show();

    // Every click on a tab, the selected one included.
    connect(TabStrip1, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index < 0)
            return;
        TabStrip1->setCurrentIndex(index);
        TabStrip1_Click(index);
    });
    connect(CmdSave, &QPushButton::clicked, this, &FrmEdit::CmdSave_Click);
}

void FrmEdit::setArticle(const QString &title, const QString &html, const QString &idText)
{
    TxtTittle->setText(title);
    Text1->setPlainText(Codec::toLf(html));
    TxtCdid = idText;
    // The editor still holds what it held before: until a tab selection gives it this
    // article, a save takes the text of Text1.
    m_editorHasArticle = false;
}

void FrmEdit::HideModePanels()
{
    Frame1[0]->hide();
    Frame1[1]->hide();
}

void FrmEdit::TabStrip1_Click(int index)
{
    HideModePanels();
    Frame1[index]->show();
    if (WebBrowser1->ReadyState() == 4 && !WebBrowser1->Busy()) {
        WebBrowser1->writeEditableBody(Codec::toCrLf(Text1->toPlainText()), [this](bool ok) {
            if (!ok)
                return;
            m_editorHasArticle = true;
            emit editorLoaded();
        });
    }
}

void FrmEdit::CmdSave_Click()
{
    if (m_saving)
        return;
    if (!m_editorHasArticle) {
        store(Codec::toCrLf(Text1->toPlainText()));
        return;
    }
    m_saving = true;
    WebBrowser1->readEditableBody([this](bool ok, const QString &html) {
        m_saving = false;
        store(ok ? Codec::toCrLf(html) : Codec::toCrLf(Text1->toPlainText()));
    });
}

void FrmEdit::store(const QString &html)
{
    ArticleStore articles(m_context.programDir);
    if (!articles.rewrite(TxtCdid.trimmed().toLongLong(), TxtTittle->text(), html)) {
        const QString why = articles.errorText().isEmpty() ? QStringLiteral("该文章已不存在")
                                                           : articles.errorText();
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("系统提示"),
                                       QStringLiteral("修改失败：") + why);
        return;
    }
    m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("系统提示"),
                                   QStringLiteral("修改成功"));
    emit saved();
    close();
}
