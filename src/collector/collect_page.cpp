// The collection page (Frame2).
#include "collector/collect_page.h"

#include "controls/link_label.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CollectPage::CollectPage(QWidget *parent) : QGroupBox(QStringLiteral("采集窗口"), parent)
{
    setObjectName(QStringLiteral("Frame2"));
    const auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
    };
    ButtonStart = new QPushButton(QStringLiteral("开始采集"), this);
    named(ButtonStart, "ButtonStart");
    ButtonStop = new QPushButton(QStringLiteral("停止采集"), this);
    named(ButtonStop, "ButtonStop");
    Labelinsert = new LinkLabel(QStringLiteral("导入规则"), this);
    named(Labelinsert, "Labelinsert");
    Labelgz = new QLabel(noRuleText(), this);
    named(Labelgz, "Labelgz");

    TxtLog = new QPlainTextEdit(this);
    named(TxtLog, "TxtLog");
    TxtLog->setReadOnly(true);
    TxtLog->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    TxtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtLog->setPlainText(QStringLiteral("程序等待中..."));

    FrameSet = new QGroupBox(QStringLiteral("其它参数"), this);
    named(FrameSet, "FrameSet");
    Chkhtml = new QCheckBox(QStringLiteral("去除无用的网页元素"), FrameSet);
    named(Chkhtml, "Chkhtml");
    Labelhtml1 = new LinkLabel(QStringLiteral("什么意思？"), FrameSet);
    named(Labelhtml1, "Labelhtml1");
    auto *slowHint = new QLabel(QStringLiteral("提示：如有必要可以选中，但会大大降低采集速度"), FrameSet);
    slowHint->setWordWrap(true);
    ChkSeo = new QCheckBox(QStringLiteral("启动关键词优化功能"), FrameSet);
    named(ChkSeo, "ChkSeo");
    ChkWyc = new QCheckBox(QStringLiteral("单篇文章采集完成后对文章进行伪原创处理"), FrameSet);
    named(ChkWyc, "ChkWyc");
    Chkdl = new QCheckBox(QStringLiteral("启用文章内容打乱功能"), FrameSet);
    named(Chkdl, "Chkdl");
    Optdl = new QRadioButton(QStringLiteral("将段落随机打乱"), FrameSet);
    named(Optdl, "Optdl");
    Optjz = new QRadioButton(QStringLiteral("将句子随即打乱"), FrameSet);
    named(Optjz, "Optjz");
    Optdl->setEnabled(false);
    Optjz->setEnabled(false);
    Chktx = new QCheckBox(QStringLiteral("完成后声音提醒"), FrameSet);
    named(Chktx, "Chktx");

    auto *options = new QVBoxLayout(FrameSet);
    auto *htmlRow = new QHBoxLayout;
    htmlRow->addWidget(Chkhtml);
    htmlRow->addWidget(Labelhtml1);
    htmlRow->addStretch();
    options->addLayout(htmlRow);
    options->addWidget(slowHint);
    options->addWidget(ChkSeo);
    options->addWidget(ChkWyc);
    options->addWidget(Chkdl);
    options->addWidget(Optdl);
    options->addWidget(Optjz);
    options->addWidget(Chktx);
    options->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(ButtonStart);
    top->addWidget(ButtonStop);
    top->addSpacing(16);
    top->addWidget(Labelinsert);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("当前规则名："), this));
    top->addWidget(Labelgz, 1);

    auto *body = new QHBoxLayout;
    body->addWidget(TxtLog, 3);
    body->addWidget(FrameSet, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);
}

QString CollectPage::noRuleText()
{
    return QStringLiteral("当前没有导入任何规则文件");
}
