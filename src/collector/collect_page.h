// The collection page (Frame2): start and stop, the rule import, the current rule, the log pane
// and the run's options.
#pragma once

#include <QGroupBox>

class LinkLabel;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class CollectPage : public QGroupBox
{
    Q_OBJECT
public:
    explicit CollectPage(QWidget *parent = nullptr);

    static QString noRuleText();

    QPushButton *ButtonStart, *ButtonStop;
    LinkLabel *Labelinsert, *Labelhtml1;
    QLabel *Labelgz;
    QPlainTextEdit *TxtLog;
    QGroupBox *FrameSet;
    QCheckBox *Chkhtml, *ChkSeo, *ChkWyc, *Chkdl, *Chktx;
    QRadioButton *Optdl, *Optjz;
};
