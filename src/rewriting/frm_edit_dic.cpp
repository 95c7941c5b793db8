// FrmEditDic: the synonym dictionary editor.
#include "rewriting/frm_edit_dic.h"

#include "app/app_context.h"
#include "common/codec.h"
#include "rewriting/synonym_dict.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmEditDic::FrmEditDic(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("FrmEditDic"));
    setWindowTitle(QStringLiteral("同义词库编辑程序"));
    resize(560, 480);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The balloon hint: a title and two lines.
    Text1->setToolTip(QStringLiteral("<b>温馨提示</b><br>在此您可以通过编辑同义词库以达<br>到您所需的伪原创效果"));
    Command1 = new QPushButton(QStringLiteral("载入词库"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    CmdEdit = new QPushButton(QStringLiteral("确认修改"), this);
    CmdEdit->setObjectName(QStringLiteral("CmdEdit"));
    auto *label1 = new QLabel(QStringLiteral("词库格式：“原词|替换词”"), this);
    label1->setObjectName(QStringLiteral("Label1"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(label1);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(CmdEdit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &FrmEditDic::Command1_Click);
    connect(CmdEdit, &QPushButton::clicked, this, &FrmEditDic::CmdEdit_Click);
}

void FrmEditDic::Command1_Click()
{
    if (!m_fso.OpenFile(SynonymDict::path(m_context.programDir))) {
        m_context.seams.messages->show(MessageIcon::None, QString(), m_fso.GetErrorInfo());
        return;
    }
    Text1->setPlainText(Codec::toLf(m_fso.GetFileText()));
}

void FrmEditDic::CmdEdit_Click()
{
    if (!m_fso.SaveFile(SynonymDict::path(m_context.programDir), Codec::toCrLf(Text1->toPlainText()))) {
        m_context.seams.messages->show(MessageIcon::None, QString(), m_fso.GetErrorInfo());
        return;
    }
    m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                   QStringLiteral("文件保存成功！"));
}
