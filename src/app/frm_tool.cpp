// FrmTool: the webmaster's toolbox.
#include "app/frm_tool.h"

#include "common/web_browser.h"

#include <QVBoxLayout>

FrmTool::FrmTool(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmTool"));
    setWindowTitle(QStringLiteral("站长必备工具箱"));
    resize(800, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new WebBrowser(this);
    view->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(view);
}
