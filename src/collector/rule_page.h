// The rule page (Frame3): the rule's boxes with their labels and marks, saving, the editing aids
// and the rule test.
#pragma once

#include "collector/collection_rule.h"

#include <QGroupBox>

struct AppContext;
class LinkLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RuleTest;

class RulePage : public QGroupBox
{
    Q_OBJECT
public:
    RulePage(AppContext &context, QWidget *parent = nullptr);

    // The rule as the boxes hold it now.
    CollectionRule rule() const;
    // Fills every box of the rule, its name included.
    void setRule(const CollectionRule &rule);

    void CmdSave_Click();
    void CmdTestCollect_Click();

    QLineEdit *TxtRuleName, *TxtCUrl, *TxtNum1, *TxtNum2, *TxtTittle1, *TxtTittle2, *TxtContent1,
        *TxtContent2, *TxtInterval, *TxtPath, *TxtTestTittle;
    QPlainTextEdit *TxtTestContent;
    QPushButton *CmdSave, *CmdTestCollect;
    // The fetched page of the last test.
    QString TxtCesi;

signals:
    void sourceViewerRequested();
    void testFinished();

private:
    AppContext &m_context;
    RuleTest *m_test;
};
