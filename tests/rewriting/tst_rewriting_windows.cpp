// The dictionary editor, the keyword-link window, the shuffle switch, and a run of the main
// window with keyword links and rewriting switched on.
#include "app/main_window.h"
#include "app_harness.h"
#include "articles/article_store.h"
#include "collector/collect_page.h"
#include "collector/collection_engine.h"
#include "collector/rule_page.h"
#include "controls/link_label.h"
#include "fixture_site.h"
#include "gui_test_main.h"
#include "rewriting/frm_edit_dic.h"
#include "rewriting/frm_seo.h"
#include "rewriting/keyword_store.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

class TestRewritingWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void dictionaryEditorOpensOnce();
    void dictionaryEditorLoadsAndSaves();
    void dictionaryEditorFailures();
    void chkSeoOpensKeywordWindow();
    void keywordWindowAddAndDelete();
    void shuffleSwitch();
    void runWithLinksAndRewriting();

private:
    FixtureServer m_server;
};

void TestRewritingWindows::initTestCase()
{
    QVERIFY(m_server.start());
    FixtureSite::install(m_server);
}

void TestRewritingWindows::dictionaryEditorOpensOnce()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.show();
    w.findChild<QAction *>(QStringLiteral("tDictmana"))->trigger();
    auto *first = w.findChild<FrmEditDic *>();
    QVERIFY(first && first->isVisible());
    QVERIFY(!first->isModal());
    QCOMPARE(first->windowTitle(), QStringLiteral("同义词库编辑程序"));
    QCOMPARE(first->Text1->toPlainText(), QString()); // nothing read until asked
    w.findChild<QAction *>(QStringLiteral("tDictmana"))->trigger();
    QCOMPARE(w.findChildren<FrmEditDic *>().size(), 1);
}

void TestRewritingWindows::dictionaryEditorLoadsAndSaves()
{
    AppHarness h(m_server);
    const QByteArray bytes = Codec::encodeAnsi(u"原词|替换词\r\n\r\n我们|咱们"_qs);
    QVERIFY(h.dir.write(QStringLiteral("data/dict.dict"), bytes));
    FrmMain w(h.context);
    QVERIFY(w.load());
    FrmEditDic editor(h.context);
    editor.Command1->click();
    QCOMPARE(editor.Text1->toPlainText(), QStringLiteral("原词|替换词\n\n我们|咱们"));
    editor.CmdEdit->click();
    QCOMPARE(h.dir.read(QStringLiteral("data/dict.dict")), bytes); // same bytes back
    QCOMPARE(h.fakes.messages.shown.last().title, QStringLiteral("提示"));
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("文件保存成功！"));

    editor.Text1->setPlainText(QStringLiteral("非常|十分\n"));
    editor.CmdEdit->click();
    QCOMPARE(h.dir.read(QStringLiteral("data/dict.dict")), Codec::encodeAnsi(u"非常|十分\r\n"_qs));
    // The running window keeps the table it loaded.
    QCOMPARE(w.synonyms().size(), 3);

    editor.Text1->clear();
    editor.CmdEdit->click();
    QCOMPARE(h.dir.read(QStringLiteral("data/dict.dict")), QByteArray());
}

void TestRewritingWindows::dictionaryEditorFailures()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.remove(QStringLiteral("data/dict.dict")));
    FrmEditDic editor(h.context);
    editor.Text1->setPlainText(QStringLiteral("kept"));
    editor.Command1->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::None);
    QVERIFY(h.fakes.messages.shown.first().text.contains(QStringLiteral("打开失败！错误信息:")));
    QCOMPARE(editor.Text1->toPlainText(), QStringLiteral("kept"));

    // A plain file where the data folder should be: nothing can be saved.
    AppHarness broken(m_server, TempProgramDir::Empty);
    QVERIFY(broken.dir.write(QStringLiteral("data"), "not a folder"));
    FrmEditDic editor2(broken.context);
    editor2.CmdEdit->click();
    QCOMPARE(broken.fakes.messages.shown.size(), 1);
    QVERIFY(broken.fakes.messages.shown.first().text.contains(QStringLiteral("保存失败！错误信息:")));
}

void TestRewritingWindows::chkSeoOpensKeywordWindow()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.show();
    QCheckBox *chkSeo = w.collectPage()->ChkSeo;
    chkSeo->click();
    QVERIFY(chkSeo->isChecked());
    auto *seo = w.findChild<FrmSEO *>();
    QVERIFY(seo);
    QVERIFY(seo->isModal());
    QCOMPARE(seo->windowTitle(), QStringLiteral("关键词优化"));
    seo->close();
    QTRY_VERIFY(!w.findChild<FrmSEO *>());
    chkSeo->click(); // unticking opens it too
    QVERIFY(!chkSeo->isChecked());
    QVERIFY(w.findChild<FrmSEO *>());
}

void TestRewritingWindows::keywordWindowAddAndDelete()
{
    AppHarness h(m_server);
    FrmSEO seo(h.context);
    QTreeWidget *list = seo.ListView1;
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("编号"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("关键词"));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("链接"));
    QCOMPARE(seo.TxtUrl->text(), QStringLiteral("http://"));

    seo.TxtUrl->clear();
    seo.CmdOK->click();
    QCOMPARE(h.fakes.messages.texts().last(), QStringLiteral("请填写关键词链接！"));
    seo.TxtUrl->setText(QStringLiteral("http://"));
    seo.CmdOK->click();
    QCOMPARE(h.fakes.messages.texts().last(), QStringLiteral("请填写关键词！"));
    QCOMPARE(list->topLevelItemCount(), 0);

    seo.TxtWord->setText(QStringLiteral("站长"));
    seo.TxtUrl->setText(QStringLiteral("http://z.test/"));
    seo.CmdOK->click();
    QCOMPARE(h.fakes.messages.texts().last(), QStringLiteral("添加成功！"));
    seo.TxtWord->setText(QStringLiteral("友情链接"));
    seo.TxtUrl->setText(QStringLiteral("http://"));
    seo.CmdOK->click();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("站长"));
    QCOMPARE(list->topLevelItem(0)->text(2),
             QStringLiteral("<a href=\"http://z.test/\" target=\"_blank\">站长</a>"));

    list->clearSelection();
    list->setCurrentItem(nullptr);
    seo.tdel_Click();
    QCOMPARE(h.fakes.messages.shown.last().title, QStringLiteral("温馨提示"));
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("您未选择任何信息！"));
    QCOMPARE(list->topLevelItemCount(), 2);

    list->setCurrentItem(list->topLevelItem(0));
    QCOMPARE(seo.cmenu->title(), QStringLiteral("菜单"));
    seo.cmenu->findChild<QAction *>(QStringLiteral("tdel"))->trigger();
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("该条信息已经删除！"));
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("友情链接"));
    QCOMPARE(KeywordStore(h.dir.path()).rows()->size(), 1);
}

void TestRewritingWindows::shuffleSwitch()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    CollectPage *c = w.collectPage();
    c->Chkdl->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("温馨提示"));
    QCOMPARE(h.fakes.messages.shown.first().text,
             QStringLiteral("使用本功能时，请确保您已经选择了文章伪原创选项"));
    QVERIFY(c->Optdl->isEnabled() && c->Optjz->isEnabled());
    QVERIFY(!c->Optdl->isChecked() && !c->Optjz->isChecked()); // selection unchanged
    c->Optjz->setChecked(true);
    c->Chkdl->click();
    QCOMPARE(h.fakes.messages.shown.size(), 2);
    QVERIFY(!c->Optdl->isEnabled() && !c->Optjz->isEnabled());
    QVERIFY(!c->Optdl->isChecked() && !c->Optjz->isChecked());
    c->Chkdl->click();
    QVERIFY(!c->Optjz->isChecked()); // re-enabling does not select anything
}

void TestRewritingWindows::runWithLinksAndRewriting()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("data/dict.dict"), Codec::encodeAnsi(u"正文|内容\r\n内容|主体"_qs)));
    QVERIFY(KeywordStore(h.dir.path()).add(QStringLiteral("引号"), QStringLiteral("http://q.test")));
    QVERIFY(h.dir.write(QStringLiteral("Rule/site.Rule"), FixtureSite::ruleBytes(m_server)));
    FrmMain w(h.context);
    QVERIFY(w.load());
    h.fakes.dialogs.files.enqueue(h.dir.file(QStringLiteral("Rule/site.Rule")));
    emit w.collectPage()->Labelinsert->clicked();
    w.collectPage()->Chkhtml->setChecked(true);
    w.collectPage()->ChkWyc->setChecked(true);
    w.collectPage()->ChkSeo->setChecked(true); // set without a click: no window
    w.collectPage()->ButtonStart->click();
    QPlainTextEdit *log = w.collectPage()->TxtLog;
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(QStringLiteral("★★★★★")), 20000);
    const QStringList lines = log->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.at(1), QStringLiteral("09:07 - 成功采集到文章     第一篇：GBK 页面"));
    QCOMPARE(lines.at(2), QStringLiteral("09:07 - 关键词优化处理中....关键词优化完成！"));
    QCOMPARE(lines.at(3), QStringLiteral("09:07 - 文章伪原创处理完成！"));
    ArticleStore store(h.dir.path());
    const auto rows = store.list();
    QCOMPARE(rows.size(), 3);
    // Links first, then the synonyms (正文 -> 内容 -> 主体, chained).
    QCOMPARE(store.read(rows.first().first)->content,
             QStringLiteral("主体一，含'<a href=\"http://q.test\" target=\"_blank\">引号</a>'和\"双"
                            "<a href=\"http://q.test\" target=\"_blank\">引号</a>\"。"));
    QVERIFY(!w.engine()->isRunning());
}

MORVANE_GUI_TEST_MAIN(TestRewritingWindows)
#include "tst_rewriting_windows.moc"
