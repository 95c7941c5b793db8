// The collection and rule pages of the main window: import, start and stop, a whole run through
// the window's engine, saving rules, the editing aids and the rule test.
#include "app/main_window.h"
#include "app_harness.h"
#include "articles/article_store.h"
#include "collector/collect_page.h"
#include "collector/collection_engine.h"
#include "collector/rule_page.h"
#include "controls/link_label.h"
#include "fixture_site.h"
#include "gui_test_main.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

const QString endLine = QStringLiteral("★★★★★以上采集程序的工作日志到此结束★★★★★");

CollectionRule validRule(const QString &name = QStringLiteral("新闻"))
{
    CollectionRule r;
    r.RuleName = name;
    r.UrlPattern = QStringLiteral("http://a.test/list_{N}.html");
    r.NumStart = QStringLiteral("1");
    r.NumEnd = QStringLiteral("5");
    r.TitleEnd = QStringLiteral("</h1>");
    r.ContentEnd = QStringLiteral("</div>");
    r.Interval = QStringLiteral("2");
    return r;
}

} // namespace

class TestCollectWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void captionsAndInitialState();
    void startWithoutImport();
    void importFillsPageAndList();
    void importKeepsNameOfLowerCaseRule();
    void cancelledImportUsesTypedRule();
    void importRefusesHugeRange();
    void wholeRunThroughWindow();
    void badIntervalRefused();
    void saveChecks_data();
    void saveChecks();
    void saveWritesRuleFile();
    void saveRefusesUnsafeName();
    void editingAids();
    void ruleTest();
    void ruleTestFailures();
    void ruleTestIgnoresSecondClick();

private:
    FixtureServer m_server;
};

void TestCollectWindow::initTestCase()
{
    QVERIFY(m_server.start());
    FixtureSite::install(m_server);
}

void TestCollectWindow::captionsAndInitialState()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    CollectPage *c = w.collectPage();
    QCOMPARE(c->ButtonStart->text(), QStringLiteral("开始采集"));
    QCOMPARE(c->ButtonStop->text(), QStringLiteral("停止采集"));
    QCOMPARE(c->Labelinsert->text(), QStringLiteral("导入规则"));
    QCOMPARE(c->Labelgz->text(), QStringLiteral("当前没有导入任何规则文件"));
    QCOMPARE(c->FrameSet->title(), QStringLiteral("其它参数"));
    QCOMPARE(c->Chkhtml->text(), QStringLiteral("去除无用的网页元素"));
    QCOMPARE(c->ChkSeo->text(), QStringLiteral("启动关键词优化功能"));
    QCOMPARE(c->ChkWyc->text(), QStringLiteral("单篇文章采集完成后对文章进行伪原创处理"));
    QCOMPARE(c->Chkdl->text(), QStringLiteral("启用文章内容打乱功能"));
    QCOMPARE(c->Optdl->text(), QStringLiteral("将段落随机打乱"));
    QCOMPARE(c->Optjz->text(), QStringLiteral("将句子随即打乱"));
    QCOMPARE(c->Chktx->text(), QStringLiteral("完成后声音提醒"));
    for (QCheckBox *box : {c->Chkhtml, c->ChkSeo, c->ChkWyc, c->Chkdl, c->Chktx})
        QVERIFY(!box->isChecked());
    QVERIFY(!c->Optdl->isEnabled() && !c->Optjz->isEnabled());
    QVERIFY(!c->Optdl->isChecked() && !c->Optjz->isChecked());
    QCOMPARE(w.rulePage()->TxtCUrl->text(), QStringLiteral("http://"));
    QCOMPARE(w.rulePage()->title(), QStringLiteral("采集规则编写/编辑"));
}

void TestCollectWindow::startWithoutImport()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.collectPage()->ButtonStart->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Error);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("错误"));
    QCOMPARE(h.fakes.messages.shown.first().text, QStringLiteral("您未载入任何规则文件！"));
    QVERIFY(!w.engine()->isRunning());
    QCOMPARE(w.collectPage()->TxtLog->toPlainText(), QStringLiteral("程序等待中..."));
}

void TestCollectWindow::importFillsPageAndList()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("Rule/site.Rule"), FixtureSite::ruleBytes(m_server)));
    FrmMain w(h.context);
    h.fakes.dialogs.files.enqueue(h.dir.file(QStringLiteral("Rule/site.Rule")));
    emit w.collectPage()->Labelinsert->clicked();
    QCOMPARE(h.fakes.dialogs.requests,
             QStringList{u"文章采集规则文件|载入规则文件 (*.Rule)|"_qs + h.dir.path()});
    RulePage *r = w.rulePage();
    QCOMPARE(r->TxtRuleName->text(), QStringLiteral("site"));
    QCOMPARE(w.collectPage()->Labelgz->text(), QStringLiteral("site.Rule"));
    QCOMPARE(r->TxtTittle1->text(), QStringLiteral("<h1>"));
    QCOMPARE(r->TxtContent1->text(), QStringLiteral("<div class=\"content\">"));
    QCOMPARE(r->TxtInterval->text(), QStringLiteral("0.01"));
    QCOMPARE(w.List1().size(), 4);
    QCOMPARE(w.List1().first(), m_server.url(QStringLiteral("/site/p1.html")));
    QCOMPARE(w.engine()->position(), -1);
}

void TestCollectWindow::importKeepsNameOfLowerCaseRule()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("Rule/news.rule"), FixtureSite::ruleBytes(m_server)));
    FrmMain w(h.context);
    h.fakes.dialogs.files.enqueue(h.dir.file(QStringLiteral("Rule/news.rule")));
    emit w.collectPage()->Labelinsert->clicked();
    QCOMPARE(w.rulePage()->TxtRuleName->text(), QStringLiteral("news.rule"));
    QCOMPARE(w.collectPage()->Labelgz->text(), QStringLiteral("news.rule"));
}

void TestCollectWindow::cancelledImportUsesTypedRule()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    RulePage *r = w.rulePage();
    r->TxtCUrl->setText(m_server.url(QStringLiteral("/site/p{N}.html")));
    r->TxtNum1->setText(QStringLiteral("1"));
    r->TxtNum2->setText(QStringLiteral("2"));
    r->TxtTittle1->setText(QStringLiteral("<h1>"));
    r->TxtTittle2->setText(QStringLiteral("</h1>"));
    r->TxtContent1->setText(QStringLiteral("<div class=\"content\">"));
    r->TxtContent2->setText(QStringLiteral("</div>"));
    r->TxtInterval->setText(QStringLiteral("0.01"));
    emit w.collectPage()->Labelinsert->clicked(); // the dialog is cancelled
    QCOMPARE(w.collectPage()->Labelgz->text(), QString());
    QCOMPARE(w.List1().size(), 2);
    w.collectPage()->ButtonStart->click();
    QVERIFY(w.engine()->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(w.collectPage()->TxtLog->toPlainText().contains(endLine), 20000);
    QCOMPARE(ArticleStore(h.dir.path()).count(), 2);
}

void TestCollectWindow::importRefusesHugeRange()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.rulePage()->TxtCUrl->setText(QStringLiteral("http://a.test/{N}"));
    w.rulePage()->TxtNum1->setText(QStringLiteral("1"));
    w.rulePage()->TxtNum2->setText(QStringLiteral("100000"));
    emit w.collectPage()->Labelinsert->clicked();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.shown.first().text.contains(QStringLiteral("32767")));
    QVERIFY(w.List1().isEmpty());
}

void TestCollectWindow::wholeRunThroughWindow()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("Rule/site.Rule"), FixtureSite::ruleBytes(m_server)));
    FrmMain w(h.context);
    h.fakes.dialogs.files.enqueue(h.dir.file(QStringLiteral("Rule/site.Rule")));
    emit w.collectPage()->Labelinsert->clicked();
    w.collectPage()->Chkhtml->setChecked(true);
    w.collectPage()->Chktx->setChecked(true);
    w.collectPage()->ButtonStart->click();
    QPlainTextEdit *log = w.collectPage()->TxtLog;
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(endLine), 20000);
    QCOMPARE(log->toPlainText(),
             QStringLiteral("09:07 - 工作引擎已经启动...\n"
                            "09:07 - 成功采集到文章     第一篇：GBK 页面\n"
                            "09:07 - 成功采集到文章     第二篇 UTF-8 😀\n"
                            "09:07 - 成功采集到文章     第四篇\n09:07 - ")
                 + endLine + u'\n');
    QCOMPARE(h.fakes.sound.played, QStringList{h.dir.file(QStringLiteral("data/complete.wav"))});
    ArticleStore store(h.dir.path());
    const auto rows = store.list();
    const auto expected = FixtureSite::expectedRows(true);
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(store.read(rows.at(i).first)->title, expected.at(i).first);
        QCOMPARE(store.read(rows.at(i).first)->content, expected.at(i).second);
    }
}

void TestCollectWindow::badIntervalRefused()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.rulePage()->TxtInterval->setText(QStringLiteral("0"));
    emit w.collectPage()->Labelinsert->clicked();
    w.collectPage()->ButtonStart->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().text, CollectionEngine::badIntervalMessage());
    QVERIFY(!w.engine()->isRunning());
}

void TestCollectWindow::saveChecks_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("titleEnd");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString incomplete = QStringLiteral("请确保信息是否已经填写完整！");
    const QString invalid = QStringLiteral("批量形式不正确或者\r\n数字区间不符合规则。");
    QTest::newRow("missing title end") << "1" << "5" << "" << "提示" << incomplete;
    QTest::newRow("range of one") << "1" << "1" << "</h1>" << "无法生成" << invalid;
    QTest::newRow("start 0") << "0" << "5" << "</h1>" << "无法生成" << invalid;
    QTest::newRow("start 5abc") << "5abc" << "9" << "</h1>" << "无法生成" << invalid;
    QTest::newRow("negative start") << "-2" << "2" << "</h1>" << "保存成功" << "";
}

void TestCollectWindow::saveChecks()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, titleEnd);
    QFETCH(QString, title);
    QFETCH(QString, text);
    AppHarness h(m_server);
    FrmMain w(h.context);
    CollectionRule r = validRule();
    r.NumStart = start;
    r.NumEnd = end;
    r.TitleEnd = titleEnd;
    w.rulePage()->setRule(r);
    w.rulePage()->CmdSave->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().title, title);
    if (!text.isEmpty()) {
        QCOMPARE(h.fakes.messages.shown.first().text, text);
        QVERIFY(!QFile::exists(h.dir.file(QStringLiteral("Rule/新闻.Rule"))));
    }
}

void TestCollectWindow::saveWritesRuleFile()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("Rule/新闻.Rule"),
                        Codec::encodeAnsi(u"[规则列表]\r\n备注=手写的行\r\n数字开始=9\r\n"_qs)));
    FrmMain w(h.context);
    w.rulePage()->setRule(validRule());
    w.rulePage()->CmdSave->click();
    const QString file = h.dir.file(QStringLiteral("Rule/新闻.Rule"));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Information);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("保存成功"));
    QCOMPARE(h.fakes.messages.shown.first().text, u"保存成功"_qs + file);
    CollectionRule saved = Rules::read(file);
    saved.RuleName = QStringLiteral("新闻");
    QCOMPARE(saved, validRule());
    QVERIFY(Codec::decodeAnsi(h.dir.read(QStringLiteral("Rule/新闻.Rule"))).contains(u"备注=手写的行"_qs));
    QVERIFY(w.List1().isEmpty()); // saving does not import
}

void TestCollectWindow::saveRefusesUnsafeName()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.rulePage()->setRule(validRule(QStringLiteral("../../escaped")));
    w.rulePage()->CmdSave->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Error);
    QVERIFY(!QFile::exists(h.dir.file(QStringLiteral("../escaped.Rule"))));

    // A Rule folder that is missing: the failure is reported, not a success.
    AppHarness bare(m_server, TempProgramDir::Empty);
    FrmMain w2(bare.context);
    w2.rulePage()->setRule(validRule());
    w2.rulePage()->CmdSave->click();
    QCOMPARE(bare.fakes.messages.shown.size(), 1);
    QCOMPARE(bare.fakes.messages.shown.first().title, QStringLiteral("保存失败"));
}

void TestCollectWindow::editingAids()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    RulePage *r = w.rulePage();
    emit r->findChild<LinkLabel *>(QStringLiteral("Labelfh"))->clicked();
    emit r->findChild<LinkLabel *>(QStringLiteral("Labhtml"))->clicked();
    QCOMPARE(r->TxtCUrl->text(), QStringLiteral("http://{N}.html"));
    emit r->findChild<LinkLabel *>(QStringLiteral("Labelopen"))->clicked();
    QCOMPARE(h.fakes.browser.folders, QStringList{h.dir.file(QStringLiteral("Rule"))});
    emit r->findChild<LinkLabel *>(QStringLiteral("Labelhelp"))->clicked();
    emit w.collectPage()->Labelhtml1->clicked();
    QCOMPARE(h.fakes.browser.urls,
             (QStringList{m_server.url(QStringLiteral("/redirect1.php?from=caijirule")),
                          m_server.url(QStringLiteral("/redirect.php?from=html"))}));
}

void TestCollectWindow::ruleTest()
{
    m_server.page(QStringLiteral("/t/list_01.html"),
                  Codec::encodeAnsi(u"<h1>测试标题</h1><div class=\"content\">x><p>正文 内容</p></div>"_qs));
    m_server.page(QStringLiteral("/t/07-07"),
                  Codec::encodeAnsi(u"<div class=\"content\"><b>只有正文</b></div>"_qs));
    AppHarness h(m_server);
    FrmMain w(h.context);
    RulePage *r = w.rulePage();
    CollectionRule rule = validRule();
    rule.UrlPattern = m_server.url(QStringLiteral("/t/list_{N}.html"));
    rule.NumStart = QStringLiteral("01");
    rule.NumEnd = QStringLiteral("0");
    rule.TitleStart = QStringLiteral("<h1>");
    rule.ContentStart = QStringLiteral("<div class=\"content\">");
    r->setRule(rule);
    QSignalSpy done(r, &RulePage::testFinished);
    r->CmdTestCollect->click();
    QVERIFY(done.wait(10000));
    QCOMPARE(r->TxtTestTittle->text(), QStringLiteral("测试标题"));
    QCOMPARE(r->TxtTestContent->toPlainText(), QStringLiteral("正文内容"));
    QVERIFY(h.fakes.messages.shown.isEmpty());

    // Every "{N}" is replaced; a title that is not found leaves its box empty, without a message.
    r->TxtCUrl->setText(m_server.url(QStringLiteral("/t/{N}-{N}")));
    r->TxtNum1->setText(QStringLiteral("07"));
    r->CmdTestCollect->click();
    QVERIFY(done.wait(10000));
    QCOMPARE(r->TxtTestTittle->text(), QString());
    QCOMPARE(r->TxtTestContent->toPlainText(), QStringLiteral("只有正文"));
    QVERIFY(h.fakes.messages.shown.isEmpty());
    QVERIFY(ArticleStore(h.dir.path()).list().isEmpty()); // nothing is stored
}

void TestCollectWindow::ruleTestFailures()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    RulePage *r = w.rulePage();
    r->TxtCUrl->clear();
    r->CmdTestCollect->click();
    QCOMPARE(h.fakes.messages.texts(), QStringList{u"请确保信息是否已经填写完整！"_qs});

    r->TxtTestTittle->setText(QStringLiteral("old"));
    r->TxtCUrl->setText(QStringLiteral("http://127.0.0.1:1/{N}"));
    r->TxtNum1->setText(QStringLiteral("1"));
    r->TxtNum2->setText(QStringLiteral("2"));
    QSignalSpy done(r, &RulePage::testFinished);
    r->CmdTestCollect->click();
    QVERIFY(done.wait(10000));
    QCOMPARE(h.fakes.messages.shown.size(), 2);
    QCOMPARE(h.fakes.messages.shown.last().title, QStringLiteral("Morvane"));
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("获取信息失败，请确认好信息后再试！"));
    QCOMPARE(r->TxtTestTittle->text(), QString());
    QCOMPARE(r->TxtTestContent->toPlainText(), QString());
}

void TestCollectWindow::ruleTestIgnoresSecondClick()
{
    FixtureRoute slow = FixtureRoute::page("<h1>慢</h1>");
    slow.delayMs = 300;
    m_server.route(QStringLiteral("/t/slow1"), slow);
    m_server.clearRequests();
    AppHarness h(m_server);
    FrmMain w(h.context);
    RulePage *r = w.rulePage();
    CollectionRule rule = validRule();
    rule.UrlPattern = m_server.url(QStringLiteral("/t/slow{N}"));
    rule.TitleStart = QStringLiteral("<h1>");
    r->setRule(rule);
    QSignalSpy done(r, &RulePage::testFinished);
    r->CmdTestCollect->click();
    r->CmdTestCollect->click();
    QVERIFY(done.wait(10000));
    QTest::qWait(100);
    QCOMPARE(done.size(), 1);
    QCOMPARE(m_server.requestCount(QStringLiteral("/t/slow1")), 1);
    QCOMPARE(r->TxtTestTittle->text(), QStringLiteral("慢"));
}

MORVANE_GUI_TEST_MAIN(TestCollectWindow)
#include "tst_collect_window.moc"
