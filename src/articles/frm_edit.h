// FrmEdit: an article in an HTML-code panel and a visual editor, and its save.
#pragma once

#include <QWidget>

struct AppContext;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class WebBrowser;

class FrmEdit : public QWidget
{
    Q_OBJECT
public:
    FrmEdit(AppContext &context, QWidget *parent = nullptr);

    // What the manager puts in: the title, the stored HTML and the id text.
    void setArticle(const QString &title, const QString &html, const QString &idText);

    void HideModePanels();
    void TabStrip1_Click(int index);
    void CmdSave_Click();

    // True once the visual editor holds the article's HTML (or the user's edit of it).
    bool editorHasArticle() const { return m_editorHasArticle; }

    QTabBar *TabStrip1;
    QGroupBox *Frame1[2];
    QPlainTextEdit *Text1;
    QLineEdit *TxtTittle;
    WebBrowser *WebBrowser1;
    QString TxtCdid;
    QPushButton *CmdSave;

signals:
    void saved();
    // The editor has been given Text1 (a tab selection with the page loaded).
    void editorLoaded();

private:
    void store(const QString &html);

    AppContext &m_context;
    bool m_editorHasArticle = false;
    bool m_saving = false;
};
