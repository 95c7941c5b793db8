// Start-up: one instance only, the dictionary check, the ticker text and when the window shows.
#include "app/main_window.h"
#include "app/startup.h"
#include "app_harness.h"
#include "common/codec.h"
#include "common/settings.h"
#include "common/single_instance.h"
#include "controls/ticker.h"
#include "gui_test_main.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void secondInstanceIsRefused();
    void missingDictionaryEndsProgram();
    void showsWindowAfterTickerArrives();
    void unreachableVendorDelaysAtMostTheLimit();
    void skinIsApplied();

private:
    FixtureServer m_server;
};

void TestStartup::secondInstanceIsRefused()
{
    AppHarness h(m_server);
    SingleInstance first(QStringLiteral("Morvane"), h.dir.path());
    QVERIFY(first.tryAcquire());
    SingleInstance second(QStringLiteral("Morvane"), h.dir.path());
    QVERIFY(!startMorvane(h.context, second));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.shown.first().icon, MessageIcon::Information);
    QCOMPARE(h.fakes.messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(h.fakes.messages.shown.first().text, QStringLiteral("程序已经运行了，请勿重复运行..."));
    // The first still holds its lock; another program directory is another program.
    SingleInstance third(QStringLiteral("Morvane"), h.dir.path());
    QVERIFY(!third.tryAcquire());
    TempProgramDir other;
    SingleInstance elsewhere(QStringLiteral("Morvane"), other.path());
    QVERIFY(elsewhere.tryAcquire());
}

void TestStartup::missingDictionaryEndsProgram()
{
    AppHarness h(m_server);
    QVERIFY(h.dir.remove(QStringLiteral("data/dict.dict")));
    SingleInstance instance(QStringLiteral("Morvane"), h.dir.path());
    QVERIFY(!startMorvane(h.context, instance));
    QCOMPARE(h.fakes.messages.texts(),
             QStringList{QStringLiteral("词典文件损坏或丢失，请到官网下载完整安装包！")});
    QTest::qWait(50);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!w->isVisible());
}

void TestStartup::showsWindowAfterTickerArrives()
{
    FixtureRoute ticker = FixtureRoute::page(
        Codec::encodeAnsi(QStringLiteral("新版发布,http://news.test/1;采集教程,http://news.test/2")));
    ticker.delayMs = 300;
    m_server.route(QStringLiteral("/software/wyc/info.txt"), ticker);
    m_server.page(QStringLiteral("/software/collector/info.html"), "<html><body>info</body></html>");
    m_server.clearRequests();
    AppHarness h(m_server);
    QVERIFY(SettingsFile(h.dir.path()).WriteSetting(QStringLiteral("TJName"), QStringLiteral("我的站")));
    SingleInstance instance(QStringLiteral("Morvane"), h.dir.path());
    std::unique_ptr<FrmMain> w = startMorvane(h.context, instance);
    QVERIFY(w);
    QVERIFY(!w->isVisible()); // not before the ticker text is in
    QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
    auto *ticker11 = w->findChild<UserControl1 *>(QStringLiteral("UserControl11"));
    QVERIFY(ticker11->isVisible());
    QCOMPARE(ticker11->shownTitle(), QStringLiteral("新版发布"));
    QCOMPARE(ticker11->href(), QStringLiteral("http://news.test/1"));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("LabelSite"))->text(),
             QStringLiteral("站点名：我的站"));
    QCOMPARE(QDir::fromNativeSeparators(w->findChild<QLineEdit *>(QStringLiteral("TxtPath"))->text()),
             h.dir.file(QStringLiteral("Rule")));
    QVERIFY(!w->synonyms().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("/software/collector/info.html")) == 1,
                             20000);
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("Frame1"))->isVisible());
}

void TestStartup::unreachableVendorDelaysAtMostTheLimit()
{
    FixtureRoute silent;
    silent.neverAnswer = true;
    m_server.route(QStringLiteral("/software/wyc/info.txt"), silent);
    AppHarness h(m_server);
    h.context.tickerTimeoutMs = 400;
    SingleInstance instance(QStringLiteral("Morvane"), h.dir.path());
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<FrmMain> w = startMorvane(h.context, instance);
    QVERIFY(w);
    QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
    QVERIFY(timer.elapsed() < 5000);
    auto *ticker11 = w->findChild<UserControl1 *>(QStringLiteral("UserControl11"));
    QVERIFY(ticker11->isVisible());
    QCOMPARE(ticker11->Caption(), QString());
}

void TestStartup::skinIsApplied()
{
    TempProgramDir dir;
    qApp->setStyleSheet(QString());
    applySkin(dir.path());
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("QPushButton")));
    TempProgramDir bare(TempProgramDir::Empty);
    qApp->setStyleSheet(QString());
    applySkin(bare.path());
    QCOMPARE(qApp->styleSheet(), QString());
}

MORVANE_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
