// The collection engine against the fixture server: runs, skips, stop and restart, the end of a
// run, post-processing with the timer discipline, store failures, and the interval rule.
#include "articles/article_store.h"
#include "collector/collection_engine.h"
#include "common/http.h"
#include "fake_seams.h"
#include "fixture_site.h"
#include "temp_program_dir.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString startLine = QStringLiteral("工作引擎已经启动...");
const QString endLine = QStringLiteral("★★★★★以上采集程序的工作日志到此结束★★★★★");

struct Harness
{
    explicit Harness(TempProgramDir::Content content = TempProgramDir::FromTemplate)
        : dir(content), store(dir.path()),
          engine(http, store, sound, dir.file(QStringLiteral("data/complete.wav")))
    {
        options.titleStart = QStringLiteral("<h1>");
        options.titleEnd = QStringLiteral("</h1>");
        options.contentStart = QStringLiteral("<div class=\"content\">");
        options.contentEnd = QStringLiteral("</div>");
        engine.setOptionsSource([this] { return options; });
        QObject::connect(&engine, &CollectionEngine::log, &engine,
                         [this](const QString &m) { lines << m; });
        QObject::connect(&engine, &CollectionEngine::clearLog, &engine, [this] { lines.clear(); });
    }
    bool waitForEnd(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([this] { return lines.contains(endLine); }, timeoutMs);
    }
    QStringList titles() { return storedTitles(store); }
    static QStringList storedTitles(ArticleStore &s)
    {
        QStringList out;
        for (const auto &row : s.list())
            out << row.second;
        return out;
    }

    TempProgramDir dir;
    HttpClient http;
    FakeSound sound;
    ArticleStore store;
    CollectionEngine engine;
    CollectOptions options;
    QStringList lines;
};

QStringList sitePages(const FixtureServer &server, int count = 4)
{
    QStringList pages;
    for (int i = 1; i <= count; ++i)
        pages << server.url(QStringLiteral("/site/p%1.html").arg(i));
    return pages;
}

} // namespace

class TestCollectionEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void harvestsSiteExactly_data();
    void harvestsSiteExactly();
    void logAndSound();
    void lastPageWithoutBodyStillEnds();
    void badPagesAreSkipped();
    void stopDuringFetchStillStoresThatPage();
    void stopThenStartContinues();
    void startAfterEndOnlyEndsAgain();
    void markersReadForEachPage();
    void ticksDoNotOverlap();
    void postProcessingRestartsTimer();
    void storeFailureIsLoggedAndRunGoesOn();
    void period_data();
    void period();

private:
    FixtureServer m_server;
};

void TestCollectionEngine::initTestCase()
{
    QVERIFY(m_server.start());
    FixtureSite::install(m_server);
}

void TestCollectionEngine::harvestsSiteExactly_data()
{
    QTest::addColumn<bool>("strip");
    QTest::newRow("as fetched") << false;
    QTest::newRow("stripped") << true;
}

void TestCollectionEngine::harvestsSiteExactly()
{
    QFETCH(bool, strip);
    Harness h;
    h.options.stripHtml = strip;
    h.engine.setPages(sitePages(m_server));
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QVERIFY(!h.engine.isRunning());
    const auto expected = FixtureSite::expectedRows(strip);
    const auto rows = h.store.list();
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        const std::optional<Article> a = h.store.read(rows.at(i).first);
        QCOMPARE(a->title, expected.at(i).first);
        QCOMPARE(a->content, expected.at(i).second);
    }
}

void TestCollectionEngine::logAndSound()
{
    Harness h;
    h.options.sound = true;
    h.engine.setPages(sitePages(m_server));
    QVERIFY(h.engine.start(QStringLiteral("0.005")));
    QCOMPARE(h.engine.period(), 5);
    QVERIFY(h.waitForEnd());
    const QString gap = QStringLiteral("     ");
    QCOMPARE(h.lines, (QStringList{startLine, u"成功采集到文章"_qs + gap + u"第一篇：GBK 页面"_qs,
                                   u"成功采集到文章"_qs + gap + u"第二篇 UTF-8 😀"_qs,
                                   u"成功采集到文章"_qs + gap + u"第四篇"_qs, endLine}));
    QCOMPARE(h.sound.played, QStringList{h.dir.file(QStringLiteral("data/complete.wav"))});

    Harness quiet;
    quiet.engine.setPages(sitePages(m_server, 1));
    QVERIFY(quiet.engine.startWithPeriod(5));
    QVERIFY(quiet.waitForEnd());
    QVERIFY(quiet.sound.played.isEmpty());
}

void TestCollectionEngine::lastPageWithoutBodyStillEnds()
{
    Harness h;
    QStringList pages = sitePages(m_server, 2);
    pages << m_server.url(QStringLiteral("/site/p3.html")); // no title marker
    h.engine.setPages(pages);
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(h.titles().size(), 2);
    QVERIFY(!h.engine.isRunning());
    QCOMPARE(h.engine.position(), 2);
}

void TestCollectionEngine::badPagesAreSkipped()
{
    FixtureRoute slow = FixtureRoute::page(FixtureSite::pageBytes(u"慢"_qs, u"<p>x</p>"_qs, true));
    slow.neverAnswer = true;
    m_server.route(QStringLiteral("/bad/silent"), slow);
    m_server.page(QStringLiteral("/bad/empty"), QByteArray());
    m_server.page(QStringLiteral("/bad/reversed"),
                  "<div class=\"content\">x</div><h1>t</h1>"); // body before title: both still cut
    m_server.page(QStringLiteral("/bad/wrongorder"), "</h1>t<h1>");
    m_server.page(QStringLiteral("/bad/huge"),
                  "<h1>big</h1><div class=\"content\">" + QByteArray(3 * 1024 * 1024, 'z') + "</div>");
    FixtureRoute dropped = FixtureRoute::page("<h1>d</h1><div class=\"content\">d</div>");
    dropped.dropMidBody = true;
    m_server.route(QStringLiteral("/bad/drop"), dropped);
    Harness h;
    h.http.setDefaultTimeout(500);
    h.engine.setPages({m_server.url(QStringLiteral("/bad/silent")),
                       m_server.url(QStringLiteral("/bad/empty")),
                       m_server.url(QStringLiteral("/bad/wrongorder")),
                       m_server.url(QStringLiteral("/bad/drop")),
                       QStringLiteral("http://[bad"),
                       m_server.url(QStringLiteral("/bad/reversed")),
                       m_server.url(QStringLiteral("/bad/huge"))});
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(h.titles(), (QStringList{u"t"_qs, u"big"_qs}));
    QCOMPARE(h.store.read(h.store.list().last().first)->content.size(), 3 * 1024 * 1024);
}

void TestCollectionEngine::stopDuringFetchStillStoresThatPage()
{
    FixtureRoute slow = FixtureRoute::page(FixtureSite::pageBytes(u"慢页"_qs, u"正文abc"_qs, true));
    slow.delayMs = 300;
    m_server.route(QStringLiteral("/stop/slow.html"), slow);
    Harness h;
    h.options.wyc = true;
    h.engine.setWycStep([](QString &article) { article += QStringLiteral("（已改写）"); });
    h.engine.setPages({m_server.url(QStringLiteral("/stop/slow.html")),
                       m_server.url(QStringLiteral("/site/p1.html"))});
    QVERIFY(h.engine.startWithPeriod(10));
    QVERIFY(QTest::qWaitFor([&] { return h.engine.tickInProgress(); }, 5000));
    h.engine.stop();
    QVERIFY(QTest::qWaitFor([&] { return !h.engine.tickInProgress(); }, 5000));
    QTest::qWait(100);
    QVERIFY(!h.engine.isRunning()); // the rewriting step restarted the timer; stop wins
    QCOMPARE(h.titles(), QStringList{u"慢页"_qs});
    QCOMPARE(h.store.read(h.store.list().first().first)->content, QStringLiteral("正文abc（已改写）"));
    QCOMPARE(h.lines.last(), QStringLiteral("成功采集到文章     慢页"));
    QVERIFY(h.lines.contains(QStringLiteral("工作引擎已经停止...")));
}

void TestCollectionEngine::stopThenStartContinues()
{
    Harness h;
    h.engine.setPages(sitePages(m_server, 2));
    QSignalSpy ticks(&h.engine, &CollectionEngine::tickFinished);
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(ticks.wait(10000));
    h.engine.stop();
    QCOMPARE(h.titles(), QStringList{u"第一篇：GBK 页面"_qs});
    QTest::qWait(50);
    QCOMPARE(h.titles().size(), 1);
    QVERIFY(h.engine.start(QStringLiteral("0.005")));
    QCOMPARE(h.lines.first(), startLine); // the log starts anew
    QVERIFY(h.waitForEnd());
    QCOMPARE(h.titles(), (QStringList{u"第一篇：GBK 页面"_qs, u"第二篇 UTF-8 😀"_qs}));
}

void TestCollectionEngine::startAfterEndOnlyEndsAgain()
{
    Harness h;
    h.options.sound = true;
    h.engine.setPages(sitePages(m_server, 1));
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    m_server.clearRequests();
    h.lines.clear();
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(h.lines, (QStringList{startLine, endLine}));
    QCOMPARE(h.sound.played.size(), 2);
    QVERIFY(m_server.requests().isEmpty());
    QCOMPARE(h.titles().size(), 1);
}

void TestCollectionEngine::markersReadForEachPage()
{
    Harness h;
    h.engine.setPages(sitePages(m_server, 2));
    QObject::connect(&h.engine, &CollectionEngine::articleStored, &h.engine, [&h] {
        h.options.titleEnd = QStringLiteral(" UTF"); // from the next page on
    });
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(h.titles(), (QStringList{u"第一篇：GBK 页面"_qs, u"第二篇"_qs}));
}

void TestCollectionEngine::ticksDoNotOverlap()
{
    FixtureRoute slow = FixtureRoute::page(FixtureSite::pageBytes(u"一"_qs, u"正文"_qs, false));
    slow.delayMs = 200;
    m_server.route(QStringLiteral("/overlap/a"), slow);
    m_server.clearRequests();
    Harness h;
    h.engine.setPages({m_server.url(QStringLiteral("/overlap/a")), m_server.url(QStringLiteral("/overlap/b"))});
    h.engine.tick();
    h.engine.tick(); // due while the first waits: does nothing
    h.engine.tick();
    QVERIFY(QTest::qWaitFor([&] { return !h.engine.tickInProgress(); }, 5000));
    QCOMPARE(h.engine.position(), 0);
    QCOMPARE(m_server.requests().size(), 1);
}

void TestCollectionEngine::postProcessingRestartsTimer()
{
    Harness h;
    h.options.seo = true;
    h.options.wyc = true;
    QStringList order;
    bool timerStoppedDuringSteps = true;
    h.engine.setSeoStep([&](QString &a) {
        order << u"seo"_qs;
        timerStoppedDuringSteps = timerStoppedDuringSteps && !h.engine.isRunning();
        a.replace(QStringLiteral("正文一"), QStringLiteral("<a href=\"x\">正文一</a>"));
    });
    h.engine.setWycStep([&](QString &a) {
        order << u"wyc"_qs;
        timerStoppedDuringSteps = timerStoppedDuringSteps && !h.engine.isRunning();
        a += u"!"_qs;
    });
    h.engine.setPages(sitePages(m_server, 1) << m_server.url(QStringLiteral("/site/p3.html")));
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(order, (QStringList{u"seo"_qs, u"wyc"_qs}));
    QVERIFY(timerStoppedDuringSteps);
    QCOMPARE(h.store.read(h.store.list().first().first)->content,
             QStringLiteral("<p><a href=\"x\">正文一</a>，含'引号'和\"双引号\"。</p>!"));
}

void TestCollectionEngine::storeFailureIsLoggedAndRunGoesOn()
{
    Harness h;
    QVERIFY(h.store.SaveArticle(QStringLiteral("earlier"), QStringLiteral("kept")));
    QVERIFY(QFile::rename(h.dir.file(QStringLiteral("data")), h.dir.file(QStringLiteral("away"))));
    QSignalSpy failures(&h.engine, &CollectionEngine::saveFailed);
    h.engine.setPages(sitePages(m_server));
    QVERIFY(h.engine.startWithPeriod(5));
    QVERIFY(h.waitForEnd());
    QCOMPARE(failures.size(), 3);
    QCOMPARE(h.lines.filter(QStringLiteral("文章保存失败")).size(), 3);
    QVERIFY(QFile::rename(h.dir.file(QStringLiteral("away")), h.dir.file(QStringLiteral("data"))));
    QCOMPARE(h.titles(), QStringList{u"earlier"_qs}); // nothing stored before was lost
}

void TestCollectionEngine::period_data()
{
    QTest::addColumn<QString>("interval");
    QTest::addColumn<int>("ms");
    QTest::newRow("whole seconds") << "2" << 2000;
    QTest::newRow("fraction") << "0.5" << 500;
    QTest::newRow("rounded") << "1.0004" << 1000;
    QTest::newRow("blanks") << " 3 " << 3000;
    QTest::newRow("largest") << "65.535" << 65535;
    QTest::newRow("too large") << "65.536" << -1;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("rounds to zero") << "0.0004" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("not a number") << "abc" << -1;
    QTest::newRow("trailing junk") << "2s" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestCollectionEngine::period()
{
    QFETCH(QString, interval);
    QFETCH(int, ms);
    QCOMPARE(CollectionEngine::periodFor(interval).value_or(-1), ms);
    if (ms < 0) {
        Harness h;
        h.engine.setPages(sitePages(m_server, 1));
        QVERIFY(!h.engine.start(interval));
        QVERIFY(!h.engine.isRunning());
        QVERIFY(h.lines.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCollectionEngine)
#include "tst_collection_engine.moc"
