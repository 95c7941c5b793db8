// The rule page (Frame3).
#include "collector/rule_page.h"

#include "app/app_context.h"
#include "collector/rule_test.h"
#include "common/codec.h"
#include "controls/link_label.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QLabel *redMark(QWidget *parent)
{
    auto *mark = new QLabel(QStringLiteral("*"), parent);
    mark->setStyleSheet(QStringLiteral("color: red;"));
    return mark;
}

} // namespace

RulePage::RulePage(AppContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("采集规则编写/编辑"), parent), m_context(context),
      m_test(new RuleTest(*context.http, this))
{
    setObjectName(QStringLiteral("Frame3"));
    const auto box = [this](const char *name, const QString &text = QString()) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        return edit;
    };
    TxtRuleName = box("TxtRuleName");
    TxtCUrl = box("TxtCUrl", QStringLiteral("http://"));
    TxtNum1 = box("TxtNum1");
    TxtNum2 = box("TxtNum2");
    TxtTittle1 = box("TxtTittle1");
    TxtTittle2 = box("TxtTittle2");
    TxtContent1 = box("TxtContent1");
    TxtContent2 = box("TxtContent2");
    TxtInterval = box("TxtInterval");
    TxtPath = box("TxtPath");
    TxtPath->setReadOnly(true);

    auto *grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString &label, QWidget *field, bool required,
                            QWidget *extra = nullptr) {
        grid->addWidget(new QLabel(label, this), row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
        if (required)
            grid->addWidget(redMark(this), row, 2);
        if (extra)
            grid->addWidget(extra, row, 3);
        ++row;
    };
    addRow(QStringLiteral("采集规则名："), TxtRuleName, true);

    auto *urlAids = new QWidget(this);
    auto *aids = new QHBoxLayout(urlAids);
    aids->setContentsMargins(0, 0, 0, 0);
    auto *labelfh = new LinkLabel(QStringLiteral("{N}"), urlAids);
    labelfh->setObjectName(QStringLiteral("Labelfh"));
    auto *labhtml = new LinkLabel(QStringLiteral(".html"), urlAids);
    labhtml->setObjectName(QStringLiteral("Labhtml"));
    aids->addWidget(labelfh);
    aids->addWidget(labhtml);
    addRow(QStringLiteral("规则网址："), TxtCUrl, false, urlAids);

    auto *range = new QWidget(this);
    auto *rangeLayout = new QHBoxLayout(range);
    rangeLayout->setContentsMargins(0, 0, 0, 0);
    rangeLayout->addWidget(TxtNum1);
    rangeLayout->addWidget(new QLabel(QStringLiteral("---"), range));
    rangeLayout->addWidget(TxtNum2);
    addRow(QStringLiteral("数字区间："), range, false);
    addRow(QStringLiteral("标题开始字符串："), TxtTittle1, false);
    addRow(QStringLiteral("标题结束字符串："), TxtTittle2, true);
    addRow(QStringLiteral("正文开始字符串："), TxtContent1, false);
    addRow(QStringLiteral("正文结束字符串："), TxtContent2, true);
    auto *seconds = new QLabel(QStringLiteral("秒"), this);
    grid->addWidget(new QLabel(QStringLiteral("文章采集间隔："), this), row, 0, Qt::AlignRight);
    auto *intervalRow = new QHBoxLayout;
    intervalRow->addWidget(TxtInterval);
    intervalRow->addWidget(seconds);
    intervalRow->addWidget(redMark(this));
    intervalRow->addStretch();
    grid->addLayout(intervalRow, row++, 1, 1, 2);
    addRow(QStringLiteral("规则文件保存目录："), TxtPath, false);

    CmdSave = new QPushButton(QStringLiteral("保存规则"), this);
    CmdSave->setObjectName(QStringLiteral("CmdSave"));
    auto *labelopen = new LinkLabel(QStringLiteral("打开目录"), this);
    labelopen->setObjectName(QStringLiteral("Labelopen"));
    auto *labelhelp = new LinkLabel(QStringLiteral("不会写采集规则？"), this);
    labelhelp->setObjectName(QStringLiteral("Labelhelp"));
    auto *labelhtml = new LinkLabel(QStringLiteral("网页源码查看器"), this);
    labelhtml->setObjectName(QStringLiteral("Labelhtml"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdSave);
    buttons->addWidget(labelopen);
    buttons->addWidget(labelhelp);
    buttons->addWidget(labelhtml);
    buttons->addStretch();
    grid->addLayout(buttons, row++, 0, 1, 4);
    grid->setRowStretch(row, 1); // rows stay together at the top

    auto *frameTest = new QGroupBox(QStringLiteral("采集测试"), this);
    frameTest->setObjectName(QStringLiteral("FrameTest"));
    CmdTestCollect = new QPushButton(QStringLiteral("测试采集"), frameTest);
    CmdTestCollect->setObjectName(QStringLiteral("CmdTestCollect"));
    TxtTestTittle = new QLineEdit(frameTest);
    TxtTestTittle->setObjectName(QStringLiteral("TxtTestTittle"));
    TxtTestContent = new QPlainTextEdit(frameTest);
    TxtTestContent->setObjectName(QStringLiteral("TxtTestContent"));
    TxtTestContent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *testLayout = new QGridLayout(frameTest);
    testLayout->addWidget(CmdTestCollect, 0, 0, 1, 2);
    testLayout->addWidget(new QLabel(QStringLiteral("标题："), frameTest), 1, 0);
    testLayout->addWidget(TxtTestTittle, 1, 1);
    testLayout->addWidget(new QLabel(QStringLiteral("正文："), frameTest), 2, 0, Qt::AlignTop);
    testLayout->addWidget(TxtTestContent, 2, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 3);
    layout->addWidget(frameTest, 2);

    connect(CmdSave, &QPushButton::clicked, this, &RulePage::CmdSave_Click);
    connect(CmdTestCollect, &QPushButton::clicked, this, &RulePage::CmdTestCollect_Click);
    connect(labelfh, &LinkLabel::clicked, this,
            [this] { TxtCUrl->setText(TxtCUrl->text() + QStringLiteral("{N}")); });
    connect(labhtml, &LinkLabel::clicked, this,
            [this] { TxtCUrl->setText(TxtCUrl->text() + QStringLiteral(".html")); });
    connect(labelopen, &LinkLabel::clicked, this, [this] {
        m_context.seams.browser->openFolder(Rules::folder(m_context.programDir));
    });
    connect(labelhelp, &LinkLabel::clicked, this, [this] {
        m_context.seams.browser->openUrl(m_context.hosts.url(
            QString::fromLatin1(ServiceHosts::Vendor), QStringLiteral("/redirect1.php?from=caijirule")));
    });
    connect(labelhtml, &LinkLabel::clicked, this, &RulePage::sourceViewerRequested);
}

CollectionRule RulePage::rule() const
{
    CollectionRule r;
    r.RuleName = TxtRuleName->text();
    r.UrlPattern = TxtCUrl->text();
    r.NumStart = TxtNum1->text();
    r.NumEnd = TxtNum2->text();
    r.TitleStart = TxtTittle1->text();
    r.TitleEnd = TxtTittle2->text();
    r.ContentStart = TxtContent1->text();
    r.ContentEnd = TxtContent2->text();
    r.Interval = TxtInterval->text();
    return r;
}

void RulePage::setRule(const CollectionRule &r)
{
    TxtRuleName->setText(r.RuleName);
    TxtCUrl->setText(r.UrlPattern);
    TxtNum1->setText(r.NumStart);
    TxtNum2->setText(r.NumEnd);
    TxtTittle1->setText(r.TitleStart);
    TxtTittle2->setText(r.TitleEnd);
    TxtContent1->setText(r.ContentStart);
    TxtContent2->setText(r.ContentEnd);
    TxtInterval->setText(r.Interval);
}

void RulePage::CmdSave_Click()
{
    MessageBoxes &messages = *m_context.seams.messages;
    const CollectionRule r = rule();
    switch (Rules::checkForSave(r)) {
    case Rules::SaveCheck::MissingField:
        messages.show(MessageIcon::Information, QStringLiteral("提示"),
                      QStringLiteral("请确保信息是否已经填写完整！"));
        return;
    case Rules::SaveCheck::InvalidRange:
        messages.show(MessageIcon::Error, QStringLiteral("无法生成"),
                      QStringLiteral("批量形式不正确或者\r\n数字区间不符合规则。"));
        return;
    case Rules::SaveCheck::Ok:
        break;
    }
    // A name that would leave the Rule folder, or that no file can carry, is refused rather than
    // reported as saved.
    if (!Rules::isSafeRuleName(r.RuleName)) {
        messages.show(MessageIcon::Error, QStringLiteral("保存失败"),
                      QStringLiteral("采集规则名不能包含 \\ / : * ? \" < > | 或控制字符，也不能是 . 或 ..。"));
        return;
    }
    const QString file = Rules::filePath(m_context.programDir, r.RuleName);
    if (!Rules::write(file, r)) {
        messages.show(MessageIcon::Error, QStringLiteral("保存失败"),
                      QStringLiteral("无法写入规则文件：") + QDir::toNativeSeparators(file));
        return;
    }
    messages.show(MessageIcon::Information, QStringLiteral("保存成功"),
                  QStringLiteral("保存成功") + QDir::toNativeSeparators(file));
}

void RulePage::CmdTestCollect_Click()
{
    const CollectionRule r = rule();
    if (m_test->isRunning())
        return; // two tests never fill the boxes at once
    if (!RuleTest::hasRequiredFields(r)) {
        m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                       RuleTest::missingFieldsMessage());
        return;
    }
    m_test->run(r, [this](const RuleTestResult &result) {
        TxtCesi = result.page;
        TxtTestTittle->setText(result.title);
        TxtTestContent->setPlainText(Codec::toLf(result.body));
        if (TxtCesi.isEmpty())
            m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("Morvane"),
                                           RuleTest::nothingFetchedMessage());
        emit testFinished();
    });
}
