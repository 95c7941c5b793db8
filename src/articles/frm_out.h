// FrmOut: exports every article, newest first, one file per timer tick.
#pragma once

#include <QList>
#include <QTimer>
#include <QWidget>

struct AppContext;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmOut : public QWidget
{
    Q_OBJECT
public:
    FrmOut(AppContext &context, QWidget *parent = nullptr);

    void CmdPath_Click();
    void CmdStart_Click();
    void CmdStop_Click();
    void Timer1_Tick();
    // The next article into TxtTittle and TxtArticle; false when the export has ended.
    bool ExportNext();
    void WriteArticleFile();

    QLineEdit *TxtPath;
    QPushButton *CmdPath, *CmdStart, *CmdStop;
    QLabel *Label1;
    QString TxtTittle, TxtArticle;
    QTimer Timer1;

private:
    AppContext &m_context;
    QList<qint64> m_ids; // the export's cursor, newest first
    int m_next = 0;
    bool m_storeOpen = false;
};
