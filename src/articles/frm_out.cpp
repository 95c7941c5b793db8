// FrmOut: the export window.
#include "articles/frm_out.h"

#include "app/app_context.h"
#include "articles/article_export.h"
#include "articles/article_store.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmOut::FrmOut(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("FrmOut"));
    setWindowTitle(QStringLiteral("导出所有文章"));
    TxtPath = new QLineEdit(this);
    TxtPath->setObjectName(QStringLiteral("TxtPath"));
    CmdPath = new QPushButton(QStringLiteral("..."), this);
    CmdPath->setObjectName(QStringLiteral("CmdPath"));
    CmdStart = new QPushButton(QStringLiteral("开始导出"), this);
    CmdStart->setObjectName(QStringLiteral("CmdStart"));
    CmdStop = new QPushButton(QStringLiteral("停止导出"), this);
    CmdStop->setObjectName(QStringLiteral("CmdStop"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *label2 = new QLabel(QStringLiteral("请选择保存路径："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(label2, 0, 0);
    layout->addWidget(TxtPath, 0, 1);
    layout->addWidget(CmdPath, 0, 2);
    layout->addWidget(Label1, 1, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdStart);
    buttons->addWidget(CmdStop);
    layout->addLayout(buttons, 2, 0, 1, 3);
    resize(480, 140);

    Timer1.setInterval(800);
    connect(&Timer1, &QTimer::timeout, this, &FrmOut::Timer1_Tick);
    connect(CmdPath, &QPushButton::clicked, this, &FrmOut::CmdPath_Click);
    connect(CmdStart, &QPushButton::clicked, this, &FrmOut::CmdStart_Click);
    connect(CmdStop, &QPushButton::clicked, this, &FrmOut::CmdStop_Click);

    // The export's cursor is read when the window opens. A store that cannot be read is said
    // here, and nothing can be exported.
    ArticleStore store(context.programDir);
    m_ids = store.idsNewestFirst(&m_storeOpen);
    if (!m_storeOpen) {
        Label1->setText(QStringLiteral("无法打开文章数据库：") + store.errorText());
        CmdStart->setEnabled(false);
    }
}

void FrmOut::CmdPath_Click()
{
    const QString folder = m_context.seams.dialogs->chooseFolder(QStringLiteral("请选择保存路径"));
    if (!folder.isEmpty())
        TxtPath->setText(folder);
}

void FrmOut::CmdStart_Click()
{
    if (!m_storeOpen)
        return;
    if (TxtPath->text().isEmpty()) {
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("提示"),
                                       QStringLiteral("请选择保存路径！"));
        return;
    }
    CmdStart->setEnabled(false);
    Timer1.start();
}

void FrmOut::CmdStop_Click()
{
    Timer1.stop();
    CmdStart->setEnabled(m_storeOpen);
    close();
}

void FrmOut::Timer1_Tick()
{
    if (!ExportNext())
        return;
    Label1->setText(QStringLiteral("正在导出文章：  ") + TxtTittle);
    WriteArticleFile();
}

bool FrmOut::ExportNext()
{
    // Rows deleted since the window opened are passed over.
    ArticleStore store(m_context.programDir);
    while (m_next < m_ids.size()) {
        const std::optional<Article> article = store.read(m_ids.at(m_next++));
        if (!article)
            continue;
        TxtTittle = ArticleExport::trimBlanks(article->title);
        TxtArticle = ArticleExport::trimBlanks(article->content);
        return true;
    }
    Label1->setText(QStringLiteral("恭喜全部文章导出完毕"));
    Timer1.stop();
    m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                   QStringLiteral("文章全部导出完毕！"));
    CmdStart->setEnabled(true);
    close();
    return false;
}

void FrmOut::WriteArticleFile()
{
    // A title that names no file, or a folder that cannot be written, skips this article.
    ArticleExport::write(TxtPath->text(), TxtTittle, TxtArticle);
}
