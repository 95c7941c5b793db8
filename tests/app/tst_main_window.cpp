// The main window: title, pages, menus, links, the log pane, the launch table, the form post and
// the small windows.
#include "app/frm_about.h"
#include "app/main_window.h"
#include "app_harness.h"
#include "common/inet.h"
#include "common/web_browser.h"
#include "controls/link_label.h"
#include "controls/ticker.h"
#include "gui_test_main.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

QAction *action(FrmMain &w, const char *name)
{
    return w.findChild<QAction *>(QString::fromLatin1(name));
}

void touchExecutable(const TempProgramDir &dir, const QString &name)
{
    QVERIFY(dir.write(name, "#!/bin/sh\n"));
    QFile::setPermissions(dir.file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void title();
    void pagesShareOneRectangleAndKeepText();
    void menuBar();
    void linksOpenVendorPages_data();
    void linksOpenVendorPages();
    void tickerClickOpensShownAddress();
    void writeLogAppendsAtEnd();
    void writeLogEmptiesEvery2001Lines();
    void launchTable_data();
    void launchTable();
    void webspiderOnlyShowsMessage();
    void postForm();
    void smallWindows();

private:
    FixtureServer m_server;
};

void TestMainWindow::title()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    QCOMPARE(w.windowTitle(),
             QStringLiteral("Morvane2012 Beta1  永久免费          为站长省事省力！     ")
                 + m_server.url(QString()));
}

void TestMainWindow::pagesShareOneRectangleAndKeepText()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    QVERIFY(w.load());
    w.show();
    auto *f1 = w.findChild<QGroupBox *>(QStringLiteral("Frame1"));
    auto *f2 = w.findChild<QGroupBox *>(QStringLiteral("Frame2"));
    auto *f3 = w.findChild<QGroupBox *>(QStringLiteral("Frame3"));
    QCOMPARE(f1->title(), QStringLiteral("首页"));
    QCOMPARE(f2->title(), QStringLiteral("采集窗口"));
    QCOMPARE(f3->title(), QStringLiteral("采集规则编写/编辑"));
    QVERIFY(f1->isVisible() && !f2->isVisible() && !f3->isVisible());

    const auto click = [&](const char *name) {
        w.findChild<QPushButton *>(QString::fromLatin1(name))->click();
    };
    auto *path = w.findChild<QLineEdit *>(QStringLiteral("TxtPath"));
    click("Button3");
    QVERIFY(f3->isVisible() && !f1->isVisible() && !f2->isVisible());
    path->setText(QStringLiteral("typed"));
    click("Button2");
    QVERIFY(f2->isVisible() && !f1->isVisible() && !f3->isVisible());
    click("Button1");
    QVERIFY(f1->isVisible() && !f2->isVisible() && !f3->isVisible());
    click("Button3");
    QCOMPARE(path->text(), QStringLiteral("typed"));
    for (QGroupBox *f : {f1, f2, f3})
        QCOMPARE(f->geometry(), QRect(8, 88, 873, 425));

    const QStringList captions{u"首页"_qs, u"采集任务"_qs, u"采集规则"_qs, u"关键词采集"_qs,
                               u"内容管理"_qs, u"关键词工具"_qs, u"官方网站"_qs};
    for (int i = 0; i < captions.size(); ++i)
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("Button") + QString::number(i + 1))->text(),
                 captions.at(i));
}

void TestMainWindow::menuBar()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    const QList<QAction *> top = w.menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top.at(0)->text(), QStringLiteral("实用工具"));
    QCOMPARE(top.at(1)->text(), QStringLiteral("帮助"));
    const auto entries = [](QAction *menuAction) {
        QStringList out;
        for (QAction *a : menuAction->menu()->actions())
            out << a->objectName() + u'=' + a->text();
        return out;
    };
    QCOMPARE(entries(top.at(0)),
             (QStringList{u"tShoulu=网站收录查询"_qs, u"twhois=域名Whois查询"_qs, u"tpr=PR值查询"_qs,
                          u"talexa=Alexa排名查询"_qs, u"otool=其他工具"_qs,
                          u"tPlugin=内容发布程式"_qs, u"mastereditor=站长编辑器"_qs,
                          u"tspider=蜘蛛爬行日志"_qs, u"webspider=网站漫游"_qs,
                          u"tDictmana=伪原创词库管理"_qs, u"Weblink=友情链接交换平台"_qs}));
    QCOMPARE(entries(top.at(1)),
             (QStringList{u"tweb=官方网站"_qs, u"tweblink=友情链接交换平台"_qs,
                          u"tbjupdate=在线升级"_qs, u"tabout=关于"_qs}));
}

void TestMainWindow::linksOpenVendorPages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address"); // relative to the fixture's services
    QTest::newRow("Button7") << "Button7" << "/?mainbutton";
    QTest::newRow("Label1") << "Label1" << "/?mainbutton";
    QTest::newRow("tweb") << "tweb" << "/?mainbutton";
    QTest::newRow("Labellink") << "Labellink" << "/linkexchange/?mainbutton";
    QTest::newRow("tweblink") << "tweblink" << "/linkexchange/?mainbutton";
}

void TestMainWindow::linksOpenVendorPages()
{
    QFETCH(QString, control);
    QFETCH(QString, address);
    AppHarness h(m_server);
    FrmMain w(h.context);
    if (auto *a = w.findChild<QAction *>(control))
        a->trigger();
    else if (auto *b = w.findChild<QPushButton *>(control))
        b->click();
    else
        emit w.findChild<LinkLabel *>(control)->clicked();
    QCOMPARE(h.fakes.browser.urls, QStringList{m_server.url(address)});
}

void TestMainWindow::tickerClickOpensShownAddress()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    auto *ticker = w.findChild<UserControl1 *>(QStringLiteral("UserControl11"));
    ticker->setCaption(QStringLiteral("一,http://news.test/1;二,http://news.test/2"));
    emit ticker->Click();
    QCOMPARE(h.fakes.browser.urls, QStringList{u"http://news.test/1"_qs});
}

void TestMainWindow::writeLogAppendsAtEnd()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    auto *log = w.findChild<QPlainTextEdit *>(QStringLiteral("TxtLog"));
    QCOMPARE(log->toPlainText(), QStringLiteral("程序等待中..."));
    QTextCursor start = log->textCursor();
    start.setPosition(2); // the user put the caret elsewhere
    log->setTextCursor(start);
    w.WriteLog(QStringLiteral("工作引擎已经启动..."));
    h.now = QTime(14, 5);
    w.WriteLog(QStringLiteral("第二行\r\n续行"));
    QCOMPARE(log->toPlainText(), QStringLiteral("程序等待中...09:07 - 工作引擎已经启动...\n"
                                                "14:05 - 第二行\n续行\n"));
}

void TestMainWindow::writeLogEmptiesEvery2001Lines()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    auto *log = w.findChild<QPlainTextEdit *>(QStringLiteral("TxtLog"));
    for (int i = 1; i <= 2000; ++i)
        w.WriteLog(QString::number(i));
    QVERIFY(log->toPlainText().startsWith(QStringLiteral("程序等待中...09:07 - 1\n")));
    w.WriteLog(QStringLiteral("2001"));
    QCOMPARE(log->toPlainText(), QStringLiteral("09:07 - 2001\n"));
    for (int i = 2002; i <= 4001; ++i)
        w.WriteLog(QString::number(i));
    QVERIFY(log->toPlainText().endsWith(QStringLiteral("09:07 - 4001\n")));
    w.WriteLog(QStringLiteral("4002"));
    QCOMPARE(log->toPlainText(), QStringLiteral("09:07 - 4002\n"));
}

void TestMainWindow::launchTable_data()
{
    QTest::addColumn<QString>("menuEntry");
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("missingMessage");
    QTest::newRow("editor") << "mastereditor" << "editor" << "pixelmorrowtide"
                            << int(WindowMode::NormalNoFocus) << "文件已经损坏或不存在";
    QTest::newRow("Update") << "tbjupdate" << "Update" << "pixelmorrowtide"
                            << int(WindowMode::NormalNoFocus) << "升级程序已经损坏或不存在";
    QTest::newRow("relaypub") << "tPlugin" << "relaypub" << "morvanecms"
                              << int(WindowMode::MinimizedFocus) << "CMS发布程式已经损坏或不存在";
}

void TestMainWindow::launchTable()
{
    QFETCH(QString, menuEntry);
    QFETCH(QString, executable);
    QFETCH(QString, token);
    QFETCH(int, mode);
    QFETCH(QString, missingMessage);
    AppHarness h(m_server);
    FrmMain w(h.context);
    QAction *entry = w.findChild<QAction *>(menuEntry);

    entry->trigger(); // missing
    QVERIFY(h.fakes.launcher.started.isEmpty());
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Error);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(h.fakes.messages.shown.first().text, missingMessage);

    touchExecutable(h.dir, executable);
    entry->trigger();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.launcher.started.size(), 1);
    QCOMPARE(h.fakes.launcher.started.first().program, h.dir.file(executable));
    QCOMPARE(h.fakes.launcher.started.first().arguments, QStringList{token});
    QCOMPARE(int(h.fakes.launcher.started.first().mode), mode);
}

void TestMainWindow::webspiderOnlyShowsMessage()
{
    AppHarness h(m_server);
    FrmMain w(h.context);
    action(w, "webspider")->trigger();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Information);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(h.fakes.messages.shown.first().text, QStringLiteral("下个版本推出！"));
    QVERIFY(h.fakes.browser.urls.isEmpty());
    QVERIFY(h.fakes.launcher.started.isEmpty());
}

void TestMainWindow::postForm()
{
    FixtureRoute slow = FixtureRoute::page("reply");
    slow.delayMs = 200;
    m_server.route(QStringLiteral("/51la/login"), slow);
    m_server.clearRequests();
    AppHarness h(m_server);
    FrmMain w(h.context);
    QSignalSpy states(w.InetLiu(), &Inet::StateChanged);
    const QString url = m_server.url(QStringLiteral("/51la/login"));
    QCOMPARE(w.PostForm(url, "a=1", QStringLiteral("http://ref.test/")), QString());
    QCOMPARE(w.PostForm(url, "b=2", QStringLiteral("http://ref.test/")), QString()); // busy
    bool idle = false;
    w.Wait([&] { idle = true; });
    QTRY_VERIFY_WITH_TIMEOUT(idle, 10000);
    QCOMPARE(states.size(), 1);
    QCOMPARE(m_server.requestCount(QStringLiteral("/51la/login")), 1);
    const RecordedRequest sent = m_server.requests().last();
    QCOMPARE(sent.body, QByteArray("a=1"));
    QCOMPARE(sent.header("Referer"), QByteArray("http://ref.test/"));
    QCOMPARE(sent.header("Content-Type"),
             QByteArray("application/x-www-form-urlencoded"));
    QVERIFY(h.fakes.messages.shown.isEmpty());
}

void TestMainWindow::smallWindows()
{
    m_server.page(QStringLiteral("/linkexchange/index1.asp"), "<html><body>links</body></html>");
    m_server.clearRequests();
    AppHarness h(m_server);
    FrmMain w(h.context);
    w.show();

    action(w, "tabout")->trigger();
    auto *about = w.findChild<FrmAbout *>(QStringLiteral("FrmAbout"));
    QVERIFY(about);
    QVERIFY(about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("关于"));
    QStringList labels;
    for (QLabel *l : about->findChildren<QLabel *>())
        labels << l->text();
    QVERIFY(labels.contains(QStringLiteral("版本号：1.4 Build 20120411")));
    QVERIFY(labels.contains(QStringLiteral("Morvane-------站长必备利器！")));
    QVERIFY(labels.contains(QStringLiteral("官方网站：")));
    emit about->findChild<LinkLabel *>(QStringLiteral("Label4"))->clicked();
    QCOMPARE(h.fakes.browser.urls, QStringList{m_server.url(QStringLiteral("/?about"))});
    QPointer<FrmAbout> guard(about);
    about->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QTRY_VERIFY(guard.isNull());

    action(w, "otool")->trigger();
    auto *tool = w.findChild<QDialog *>(QStringLiteral("FrmTool"));
    QVERIFY(tool);
    QCOMPARE(tool->windowTitle(), QStringLiteral("站长必备工具箱"));
    QCOMPARE(tool->findChild<WebBrowser *>(QStringLiteral("WebBrowser1"))->LocationURL(), QString());
    tool->close();

    action(w, "Weblink")->trigger();
    auto *friendWindow = w.findChild<QDialog *>(QStringLiteral("FrmFriend"));
    QVERIFY(friendWindow);
    QCOMPARE(friendWindow->windowTitle(), QStringLiteral("友情链接交换平台"));
    QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("/linkexchange/index1.asp")), 1,
                              20000);
    friendWindow->close();
}

MORVANE_GUI_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
