// FrmEditDic: the synonym dictionary as plain text, loaded and saved on request.
#pragma once

#include "common/fso.h"

#include <QWidget>

struct AppContext;
class QPlainTextEdit;
class QPushButton;

class FrmEditDic : public QWidget
{
    Q_OBJECT
public:
    FrmEditDic(AppContext &context, QWidget *parent = nullptr);

    void Command1_Click(); // 载入词库
    void CmdEdit_Click();  // 确认修改

    QPlainTextEdit *Text1;
    QPushButton *Command1;
    QPushButton *CmdEdit;

private:
    AppContext &m_context;
    FSO m_fso;
};
