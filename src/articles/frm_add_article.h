// FrmAddArticle: a new article typed in the visual editor.
#pragma once

#include <QWidget>

struct AppContext;
class QLineEdit;
class QPushButton;
class WebBrowser;

class FrmAddArticle : public QWidget
{
    Q_OBJECT
public:
    FrmAddArticle(AppContext &context, QWidget *parent = nullptr);

    void CmdOK_Click();

    QLineEdit *TxtTittle;
    WebBrowser *WebBrowser1;
    QPushButton *CmdOK;

signals:
    void saved();

private:
    void store(const QString &html);

    AppContext &m_context;
    bool m_saving = false;
};
