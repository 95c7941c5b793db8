// FrmFriend: the link-exchange platform in a web view.
#include "app/frm_friend.h"

#include "app/app_context.h"
#include "common/web_browser.h"

#include <QVBoxLayout>

FrmFriend::FrmFriend(AppContext &context, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmFriend"));
    setWindowTitle(QStringLiteral("友情链接交换平台"));
    resize(800, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new WebBrowser(this);
    view->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(view);
    view->Navigate(context.hosts.url(QString::fromLatin1(ServiceHosts::LinkExchange),
                                     QStringLiteral("/index1.asp")));
}
