// FrmAbout: the about box.
#include "app/frm_about.h"

#include "app/app_context.h"
#include "controls/link_label.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmAbout::FrmAbout(AppContext &context, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("版本号：1.4 Build 20120411"), this));
    layout->addWidget(new QLabel(QStringLiteral("Morvane-------站长必备利器！"), this));
    auto *siteRow = new QHBoxLayout;
    siteRow->addWidget(new QLabel(QStringLiteral("官方网站："), this));
    auto *label4 = new LinkLabel(context.hosts.base(QString::fromLatin1(ServiceHosts::Vendor)), this);
    label4->setObjectName(QStringLiteral("Label4"));
    siteRow->addWidget(label4);
    siteRow->addStretch();
    layout->addLayout(siteRow);
    auto *text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setReadOnly(true);
    text1->setPlainText(QStringLiteral(
        "本软件免费提供给站长使用。请遵守所在地的法律法规和目标网站的使用条款，"
        "采集的内容仅供学习研究，转载请注明出处。\n"
        "对因使用本软件而造成的任何损失，作者不承担任何责任。"));
    layout->addWidget(text1);
    auto *command1 = new QPushButton(QStringLiteral("确定"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(command1, 0, Qt::AlignRight);
    connect(command1, &QPushButton::clicked, this, &QDialog::close);
    Browser *browser = context.seams.browser;
    const QString site = context.hosts.url(QString::fromLatin1(ServiceHosts::Vendor),
                                           QStringLiteral("/?about"));
    connect(label4, &LinkLabel::clicked, this, [browser, site] { browser->openUrl(site); });
}
