// The article manager, the edit and entry windows on the visual editor, and the export window.
#include "app/main_window.h"
#include "app_harness.h"
#include "articles/article_list_model.h"
#include "articles/article_store.h"
#include "articles/frm_add_article.h"
#include "articles/frm_article_data.h"
#include "articles/frm_edit.h"
#include "articles/frm_out.h"
#include "common/codec.h"
#include "common/web_browser.h"
#include "gui_test_main.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTreeView>

namespace {

void select(FrmArticleData &m, int row)
{
    m.ListView1->setCurrentIndex(m.model()->index(row, 0));
}

QStringList titles(FrmArticleData &m)
{
    QStringList out;
    for (int r = 0; r < m.model()->rowCount(); ++r)
        out << m.model()->titleAt(r);
    return out;
}

// Waits until the editor page of a window has loaded.
bool waitLoaded(WebBrowser *view)
{
    return QTest::qWaitFor([view] { return view->ReadyState() == 4 && !view->Busy(); }, 20000);
}

// Opens the first article of the manager in the edit window and waits for its editor page.
FrmEdit *openFirstForEdit(FrmArticleData &m)
{
    select(m, 0);
    m.CmdEdit->click();
    auto *edit = m.findChild<FrmEdit *>();
    return edit && waitLoaded(edit->WebBrowser1) ? edit : nullptr;
}

QString editorBody(WebBrowser *view)
{
    std::optional<QString> html;
    view->readEditableBody([&](bool, const QString &h) { html = h; });
    QTest::qWaitFor([&] { return html.has_value(); }, 10000);
    return html.value_or(QStringLiteral("<none>"));
}

void setEditorBody(WebBrowser *view, const QString &html)
{
    bool done = false;
    view->writeEditableBody(html, [&](bool) { done = true; });
    QTest::qWaitFor([&] { return done; }, 10000);
}

} // namespace

class TestArticleWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void managerOpensOnceWithoutBlocking();
    void listShowsRows();
    void deleteAndClear();
    void openForEditThreeWays();
    void contextMenuOnRightButtonOnly();
    void editSaveBeforeEditorLoaded();
    void editInVisualMode();
    void tabSelectionReloadsEditor();
    void addArticle();
    void exportWindow();
    void exportStopAndSkips();
    void exportWithoutStore();

private:
    FixtureServer m_server;
};

void TestArticleWindows::managerOpensOnceWithoutBlocking()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.show();
    w.findChild<QPushButton *>(QStringLiteral("Button5"))->click();
    auto *manager = w.findChild<FrmArticleData *>();
    QVERIFY(manager && manager->isVisible());
    QVERIFY(!manager->isModal());
    QCOMPARE(manager->windowTitle(), QStringLiteral("文章管理"));
    w.findChild<QPushButton *>(QStringLiteral("Button5"))->click();
    QCOMPARE(w.findChildren<FrmArticleData *>().size(), 1);
    QCOMPARE(manager->CmdClearAll->text(), QStringLiteral("清空所有文章"));
    QCOMPARE(manager->CmdOut->text(), QStringLiteral("导出所有的文章"));
    QCOMPARE(manager->Cmddel->text(), QStringLiteral("删除文章"));
    QCOMPARE(manager->CmdEdit->text(), QStringLiteral("编辑文章"));
    QCOMPARE(manager->CmdAddArticle->text(), QStringLiteral("手动添加文章"));
}

void TestArticleWindows::listShowsRows()
{
    AppHarness h(m_server);
    FrmArticleData empty(h.context);
    QCOMPARE(empty.model()->rowCount(), 0);
    QCOMPARE(empty.ListView1->header()->count(), 2);

    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("第一"), QStringLiteral("a")));
    QVERIFY(store.SaveArticle(QString(), QStringLiteral("b"))); // stored as an empty title
    FrmArticleData m(h.context);
    QCOMPARE(m.model()->rowCount(), 2);
    QCOMPARE(m.model()->data(m.model()->index(0, 0)).toString(),
             ArticleStore::idText(store.list().first().first));
    QCOMPARE(titles(m), (QStringList{u"第一"_qs, QString()}));
}

void TestArticleWindows::deleteAndClear()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("甲"), QStringLiteral("a")));
    QVERIFY(store.SaveArticle(QStringLiteral("乙"), QStringLiteral("b")));
    FrmArticleData m(h.context);
    m.ListView1->clearSelection();
    m.Cmddel->click(); // nothing selected: nothing happens
    QVERIFY(h.fakes.messages.shown.isEmpty());
    QCOMPARE(store.count(), 2);

    select(m, 0);
    m.Cmddel->click();
    QCOMPARE(h.fakes.messages.shown.last().title, QStringLiteral("温馨提示"));
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("文章已经删除"));
    QCOMPARE(titles(m), QStringList{u"乙"_qs});

    // A row that another window deleted already.
    QVERIFY(store.remove(m.model()->idAt(0)));
    select(m, 0);
    m.tMenu->findChild<QAction *>(QStringLiteral("delete"))->trigger();
    QCOMPARE(titles(m), QStringList{});

    QVERIFY(store.SaveArticle(QStringLiteral("丙"), QStringLiteral("c")));
    m.LoadArticleList();
    h.fakes.messages.answers.enqueue(false);
    m.CmdClearAll->click();
    QCOMPARE(h.fakes.messages.asked.last().title, QStringLiteral("用户确认"));
    QCOMPARE(h.fakes.messages.asked.last().text, QStringLiteral("本操作将会删除所有数据，你确认吗？"));
    QCOMPARE(store.count(), 1);
    h.fakes.messages.answers.enqueue(true);
    m.CmdClearAll->click();
    QCOMPARE(store.count(), 0);
    QCOMPARE(m.model()->rowCount(), 0);
}

void TestArticleWindows::openForEditThreeWays()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("标题"), QStringLiteral("<p>内容</p>\r\n<p>二</p>")));
    FrmArticleData m(h.context);
    const QString idText = m.model()->idTextAt(0);
    const auto check = [&] {
        auto *edit = m.findChild<FrmEdit *>();
        QVERIFY(edit && edit->isVisible());
        QCOMPARE(edit->windowTitle(), QStringLiteral("文章编辑"));
        QCOMPARE(edit->TxtTittle->text(), QStringLiteral("标题"));
        QCOMPARE(edit->Text1->toPlainText(), QStringLiteral("<p>内容</p>\n<p>二</p>"));
        QCOMPARE(edit->TxtCdid, idText);
    };
    select(m, 0);
    m.CmdEdit->click();
    check();
    m.findChild<FrmEdit *>()->TxtTittle->setText(QStringLiteral("changed"));
    m.tMenu->findChild<QAction *>(QStringLiteral("edit"))->trigger();
    check();
    emit m.ListView1->doubleClicked(m.model()->index(0, 1));
    check();
    QCOMPARE(m.findChildren<FrmEdit *>().size(), 1);
}

void TestArticleWindows::contextMenuOnRightButtonOnly()
{
    AppHarness h(m_server);
    ArticleStore(h.dir.path()).SaveArticle(QStringLiteral("t"), QStringLiteral("c"));
    FrmArticleData m(h.context);
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QCOMPARE(m.tMenu->title(), QStringLiteral("弹出菜单"));
    QTest::mouseClick(m.ListView1->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    QVERIFY(!m.tMenu->isVisible());
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 5));
    QApplication::sendEvent(m.ListView1->viewport(), &event);
    QTRY_VERIFY(m.tMenu->isVisible());
    m.tMenu->close();
}

void TestArticleWindows::editSaveBeforeEditorLoaded()
{
    // The editor page's own empty body never replaces an article's content.
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("原题"), QStringLiteral("<p>原文</p>")));
    FrmArticleData m(h.context);
    FrmEdit *edit = openFirstForEdit(m);
    QVERIFY(edit);
    QVERIFY(!edit->editorHasArticle());
    QPointer<FrmEdit> guard(edit);
    edit->CmdSave->click();
    QCOMPARE(store.read(m.model()->idAt(0))->content, QStringLiteral("<p>原文</p>"));
    QCOMPARE(h.fakes.messages.shown.last().title, QStringLiteral("系统提示"));
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("修改成功"));
    QTRY_VERIFY(guard.isNull());
}

void TestArticleWindows::editInVisualMode()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("原题"), QStringLiteral("<p>原文</p>")));
    FrmArticleData m(h.context);
    FrmEdit *edit = openFirstForEdit(m);
    QVERIFY(edit);
    QCOMPARE(edit->TabStrip1->tabText(0), QStringLiteral("HTML代码模式"));
    QCOMPARE(edit->TabStrip1->tabText(1), QStringLiteral("编辑器模式"));
    QVERIFY(edit->Frame1[0]->isVisibleTo(edit) && !edit->Frame1[1]->isVisibleTo(edit));
    QSignalSpy loaded(edit, &FrmEdit::editorLoaded);
    emit edit->TabStrip1->tabBarClicked(1);
    QVERIFY(loaded.wait(10000) || loaded.size() == 1);
    QVERIFY(edit->Frame1[1]->isVisibleTo(edit) && !edit->Frame1[0]->isVisibleTo(edit));
    QCOMPARE(editorBody(edit->WebBrowser1), QStringLiteral("<p>原文</p>"));
    setEditorBody(edit->WebBrowser1, QStringLiteral("<p>改过的<b>正文</b></p>"));
    edit->TxtTittle->setText(QStringLiteral("新题"));
    edit->CmdSave->click();
    QTRY_COMPARE_WITH_TIMEOUT(store.read(m.model()->idAt(0))->content,
                              QStringLiteral("<p>改过的<b>正文</b></p>"), 10000);
    QCOMPARE(store.read(m.model()->idAt(0))->title, QStringLiteral("新题"));
    QTRY_COMPARE(titles(m), QStringList{u"新题"_qs}); // the manager's list follows
}

void TestArticleWindows::tabSelectionReloadsEditor()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("题"), QStringLiteral("<p>一</p>")));
    FrmArticleData m(h.context);
    FrmEdit *edit = openFirstForEdit(m);
    QVERIFY(edit);
    QSignalSpy loaded(edit, &FrmEdit::editorLoaded);
    emit edit->TabStrip1->tabBarClicked(1);
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 10000);
    setEditorBody(edit->WebBrowser1, QStringLiteral("<p>编辑中</p>"));
    emit edit->TabStrip1->tabBarClicked(0); // edits are lost: the editor gets Text1 again
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 10000);
    QCOMPARE(editorBody(edit->WebBrowser1), QStringLiteral("<p>一</p>"));
    edit->Text1->setPlainText(QStringLiteral("<p>代码里改的</p>"));
    emit edit->TabStrip1->tabBarClicked(1);
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 3, 10000);
    QCOMPARE(editorBody(edit->WebBrowser1), QStringLiteral("<p>代码里改的</p>"));
    edit->CmdSave->click();
    QTRY_COMPARE_WITH_TIMEOUT(store.read(m.model()->idAt(0))->content,
                              QStringLiteral("<p>代码里改的</p>"), 10000);
}

void TestArticleWindows::addArticle()
{
    AppHarness h(m_server);
    FrmArticleData m(h.context);
    m.show();
    m.CmdAddArticle->click();
    auto *add = m.findChild<FrmAddArticle *>();
    QVERIFY(add);
    QVERIFY(add->isModal());
    QCOMPARE(add->windowTitle(), QStringLiteral("新增文章"));
    add->CmdOK->click();
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("请填写文章标题"));
    QCOMPARE(ArticleStore(h.dir.path()).count(), 0);
    QVERIFY(waitLoaded(add->WebBrowser1));
    setEditorBody(add->WebBrowser1, QStringLiteral("<p>手写的</p>"));
    add->TxtTittle->setText(QStringLiteral("  "));
    QPointer<FrmAddArticle> guard(add);
    add->CmdOK->click();
    QTRY_COMPARE_WITH_TIMEOUT(ArticleStore(h.dir.path()).count(), 1, 10000);
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("添加成功！"));
    const Article a = *ArticleStore(h.dir.path()).read(m.model()->idAt(0));
    QCOMPARE(a.title, QStringLiteral("  "));
    QCOMPARE(a.content, QStringLiteral("<p>手写的</p>"));
    QCOMPARE(m.model()->rowCount(), 1);
    QTRY_VERIFY(guard.isNull());
}

void TestArticleWindows::exportWindow()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral(" 旧的 ")));
    QVERIFY(store.SaveArticle(QStringLiteral("含\"引号\"的内容"), QStringLiteral("x")));
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral("新的")));
    QVERIFY(store.SaveArticle(QStringLiteral(" 普通 "), QStringLiteral("他说\"好\"")));
    FrmArticleData m(h.context);
    m.show();
    m.CmdOut->click();
    auto *out = m.findChild<FrmOut *>();
    QVERIFY(out && out->isModal());
    QCOMPARE(out->windowTitle(), QStringLiteral("导出所有文章"));
    out->CmdStart->click();
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("请选择保存路径！"));
    QVERIFY(out->CmdStart->isEnabled());

    QTemporaryDir target;
    h.fakes.dialogs.folders.enqueue(target.path());
    out->CmdPath->click();
    QCOMPARE(out->TxtPath->text(), target.path());
    QCOMPARE(h.fakes.dialogs.requests.last(), QStringLiteral("请选择保存路径"));
    out->Timer1.setInterval(1);
    QPointer<FrmOut> guard(out);
    QStringList statuses;
    connect(&out->Timer1, &QTimer::timeout, this, [&] { statuses << out->Label1->text(); });
    out->CmdStart->click();
    QVERIFY(!out->CmdStart->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 10000);
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("文章全部导出完毕！"));
    QCOMPARE(statuses.first(), QStringLiteral("正在导出文章：  普通"));
    QDir folder(target.path());
    QCOMPARE(folder.entryList(QDir::Files), (QStringList{u"同题.txt"_qs, u"普通.txt"_qs}));
    QFile older(folder.filePath(QStringLiteral("同题.txt")));
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), Codec::encodeAnsi(u"\"旧的\"\r\n"_qs)); // newest first: the older wins
    QFile quoted(folder.filePath(QStringLiteral("普通.txt")));
    QVERIFY(quoted.open(QIODevice::ReadOnly));
    QCOMPARE(quoted.readAll(), Codec::encodeAnsi(u"\"他说\"好\"\"\r\n"_qs));
}

void TestArticleWindows::exportStopAndSkips()
{
    AppHarness h(m_server);
    ArticleStore store(h.dir.path());
    for (const char16_t *t : {u"一", u"a/b", u"二", u"三", u"四"})
        QVERIFY(store.SaveArticle(QString::fromUtf16(t), QStringLiteral("c")));
    QTemporaryDir target;
    auto *out = new FrmOut(h.context);
    out->setAttribute(Qt::WA_DeleteOnClose);
    out->TxtPath->setText(target.path());
    for (int i = 0; i < 3; ++i)
        out->Timer1_Tick(); // 四, 三, 二
    out->Timer1_Tick();     // a/b: no file, no message
    QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), 3);
    QCOMPARE(out->Label1->text(), QStringLiteral("正在导出文章：  a/b"));
    QPointer<FrmOut> guard(out);
    out->CmdStop->click();
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), 3);
    QVERIFY(h.fakes.messages.shown.isEmpty());

    // A folder that does not exist: every article is skipped, the export still ends.
    auto *out2 = new FrmOut(h.context);
    out2->setAttribute(Qt::WA_DeleteOnClose);
    out2->TxtPath->setText(target.filePath(QStringLiteral("missing")));
    out2->Timer1.setInterval(1);
    QPointer<FrmOut> guard2(out2);
    out2->CmdStart->click();
    QTRY_VERIFY_WITH_TIMEOUT(guard2.isNull(), 10000);
    QCOMPARE(h.fakes.messages.shown.last().text, QStringLiteral("文章全部导出完毕！"));
}

void TestArticleWindows::exportWithoutStore()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.write(QStringLiteral("data/Article.db"), QByteArray(1024, 'x')));
    QTemporaryDir target;
    FrmOut out(h.context);
    QVERIFY(out.Label1->text().startsWith(QStringLiteral("无法打开文章数据库")));
    QVERIFY(!out.CmdStart->isEnabled());
    out.TxtPath->setText(target.path());
    out.CmdStart_Click();
    QVERIFY(!out.Timer1.isActive());
    QVERIFY(QDir(target.path()).isEmpty());
}

MORVANE_GUI_TEST_MAIN(TestArticleWindows)
#include "tst_article_windows.moc"
