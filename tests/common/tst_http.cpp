// HTTP access against the fixture server: decoding, time limit, body cap, redirects, error pages,
// compressed bodies; the Inet transfer control; service hosts.
#include "common/codec.h"
#include "common/http.h"
#include "common/inet.h"
#include "common/services.h"
#include "fixture_server.h"
#include "temp_program_dir.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(HttpResult)

namespace {

const QString chinese = QStringLiteral("站长之家：文章采集助手");

// Runs GetHtml and waits for its answer; "<no answer>" when none came.
QString fetch(HttpClient &http, const QString &url, int timeoutMs = 0)
{
    QObject context;
    std::optional<QString> result;
    GetHtml(http, url, &context, [&](const QString &html) { result = html; }, timeoutMs);
    QTest::qWaitFor([&] { return result.has_value(); }, 20000);
    return result.value_or(QStringLiteral("<no answer>"));
}

HttpResult run(HttpClient &http, const HttpRequest &request)
{
    HttpHandler *handler = http.start(request);
    QSignalSpy spy(handler, &HttpHandler::finished);
    spy.wait(20000);
    return spy.isEmpty() ? HttpResult{} : spy.first().first().value<HttpResult>();
}

} // namespace


class TestHttp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void isUtf8Body_data();
    void isUtf8Body();
    void decodeBody_data();
    void decodeBody();
    void getHtmlDecodesPages_data();
    void getHtmlDecodesPages();
    void getHtmlFailures_data();
    void getHtmlFailures();
    void stalledServerEndsWithinLimit();
    void endlessBodyEndsAtCap();
    void errorPageIsReturned();
    void redirectIsFollowed();
    void compressedBody();
    void windowStaysResponsive();
    void inetPostSendsExactHeadersAndBody();
    void inetRefusesWhileBusy();
    void inetChunks();
    void inetFailureState();
    void inetOpenUrl();
    void cookiesCleared();
    void serviceHosts();

private:
    FixtureServer m_server;
};

void TestHttp::initTestCase()
{
    qRegisterMetaType<HttpResult>();
    QVERIFY(m_server.start());
}

void TestHttp::isUtf8Body_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("gbk") << Codec::encodeAnsi(chinese) << false;
    QTest::newRow("utf-8") << chinese.toUtf8() << true;
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF" "abc") << true;
    QTest::newRow("ascii") << QByteArray("only letters") << false;
    QTest::newRow("two bytes") << QByteArray("\xC3\xA9") << false;
    QTest::newRow("cut inside two-byte char") << QByteArray("abc\xC3") << false;
    QTest::newRow("cut inside three-byte char") << QByteArray("abcd\xE4\xB8") << false;
    QTest::newRow("stray continuation") << QByteArray("abc\x80") << false;
    QTest::newRow("emoji") << QStringLiteral("中文😀文章").toUtf8() << true;
    QTest::newRow("cut emoji") << QByteArray("abc\xF0\x9F\x98") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestHttp::isUtf8Body()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, utf8);
    QCOMPARE(IsUtf8Body(body), utf8);
}

void TestHttp::decodeBody_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("gbk") << Codec::encodeAnsi(chinese) << chinese;
    QTest::newRow("utf-8") << chinese.toUtf8() << chinese;
    QTest::newRow("utf-8 mark dropped") << (QByteArray("\xEF\xBB\xBF") + chinese.toUtf8()) << chinese;
    QTest::newRow("ascii") << QByteArray("<html>abc</html>") << "<html>abc</html>";
    QTest::newRow("emoji page") << QStringLiteral("标题😀正文").toUtf8() << "标题😀正文";
    QTest::newRow("gbk beyond gb2312") << Codec::encodeAnsi(QStringLiteral("镕堃")) << "镕堃";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestHttp::decodeBody()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QCOMPARE(DecodeBody(body), text);
}

void TestHttp::getHtmlDecodesPages_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("gbk") << Codec::encodeAnsi(chinese) << chinese;
    QTest::newRow("utf-8") << chinese.toUtf8() << chinese;
    QTest::newRow("utf-8 with mark") << (QByteArray("\xEF\xBB\xBF") + chinese.toUtf8()) << chinese;
    QTest::newRow("ascii") << QByteArray("plain") << "plain";
    QTest::newRow("emoji") << QStringLiteral("表情😀中文").toUtf8() << "表情😀中文";
}

void TestHttp::getHtmlDecodesPages()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    m_server.page(QStringLiteral("/page"), body);
    HttpClient http;
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/page"))), text);
}

void TestHttp::getHtmlFailures_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("unparsable") << "http://[::1";
    QTest::newRow("not http") << "ftp://127.0.0.1/x";
    QTest::newRow("empty") << "";
    QTest::newRow("refused") << "http://127.0.0.1:1/";
    QTest::newRow("redirect loop") << "/loop";
    QTest::newRow("dropped mid-body") << "/drop";
}

void TestHttp::getHtmlFailures()
{
    QFETCH(QString, url);
    FixtureRoute loop;
    loop.redirectTo = QStringLiteral("/loop");
    m_server.route(QStringLiteral("/loop"), loop);
    FixtureRoute drop = FixtureRoute::page(QByteArray(200000, 'a'));
    drop.dropMidBody = true;
    m_server.route(QStringLiteral("/drop"), drop);
    if (url.startsWith(u'/'))
        url = m_server.url(url);
    HttpClient http;
    QCOMPARE(fetch(http, url), QString());
}

void TestHttp::stalledServerEndsWithinLimit()
{
    FixtureRoute silent;
    silent.neverAnswer = true;
    m_server.route(QStringLiteral("/silent"), silent);
    HttpClient http;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/silent")), 300), QString());
    QVERIFY(timer.elapsed() < 5000);

    // A body that trickles forever ends at the limit too.
    FixtureRoute trickle;
    trickle.endless = true;
    trickle.endlessChunk = "x";
    trickle.endlessIntervalMs = 20;
    m_server.route(QStringLiteral("/trickle"), trickle);
    HttpResult r = run(http, HttpRequest(m_server.url(QStringLiteral("/trickle"))).setTimeout(400));
    QVERIFY(!r.ok);
    QCOMPARE(r.errorText, QStringLiteral("timed out"));
}

void TestHttp::endlessBodyEndsAtCap()
{
    FixtureRoute endless;
    endless.endless = true;
    m_server.route(QStringLiteral("/endless"), endless);
    HttpClient http;
    const HttpResult r = run(
        http, HttpRequest(m_server.url(QStringLiteral("/endless"))).setMaxBodyBytes(1024 * 1024));
    QVERIFY(!r.ok);
    QVERIFY(r.data.isEmpty());

    // An announced length over the cap fails before the body is read.
    m_server.page(QStringLiteral("/big"), QByteArray(300000, 'b'));
    const HttpResult big =
        run(http, HttpRequest(m_server.url(QStringLiteral("/big"))).setMaxBodyBytes(100000));
    QVERIFY(!big.ok);
    const HttpResult fits =
        run(http, HttpRequest(m_server.url(QStringLiteral("/big"))).setMaxBodyBytes(300000));
    QVERIFY(fits.ok);
    QCOMPARE(fits.data.size(), 300000);
}

void TestHttp::errorPageIsReturned()
{
    FixtureRoute error = FixtureRoute::page(Codec::encodeAnsi(QStringLiteral("服务器错误")));
    error.status = 500;
    m_server.route(QStringLiteral("/error"), error);
    HttpClient http;
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/error"))),
             QStringLiteral("服务器错误"));
    const HttpResult r = run(http, HttpRequest(m_server.url(QStringLiteral("/error"))));
    QVERIFY(r.ok);
    QCOMPARE(r.status, 500);
}

void TestHttp::redirectIsFollowed()
{
    FixtureRoute hop;
    hop.redirectTo = QStringLiteral("/target");
    m_server.route(QStringLiteral("/hop"), hop);
    m_server.page(QStringLiteral("/target"), "arrived");
    HttpClient http;
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/hop"))), QStringLiteral("arrived"));
}

void TestHttp::compressedBody()
{
    const QByteArray plain = Codec::encodeAnsi(chinese.repeated(50));
    FixtureRoute deflate = FixtureRoute::page(qCompress(plain).mid(4)); // zlib stream
    deflate.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("deflate")));
    m_server.route(QStringLiteral("/deflate"), deflate);
    HttpClient http;
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/deflate"))), chinese.repeated(50));

    // The same text gzip-compressed (made once with a gzip tool).
    const QByteArray gz = QByteArray::fromHex(
        "1f8b08000000000002" "03bbba6ff3926bebf65c5abcebdc91ab87369ddcb3fedaaf53d7ae8e8a8e8a8e8a"
        "8e8a92240a00f8d9fb974c040000");
    FixtureRoute gzip = FixtureRoute::page(gz);
    gzip.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("gzip")));
    m_server.route(QStringLiteral("/gzip"), gzip);
    QCOMPARE(fetch(http, m_server.url(QStringLiteral("/gzip"))), chinese.repeated(50));
}

void TestHttp::windowStaysResponsive()
{
    FixtureRoute slow = FixtureRoute::page("late");
    slow.delayMs = 300;
    m_server.route(QStringLiteral("/slow"), slow);
    HttpClient http;
    QObject context;
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, &context, [&] { ++ticks; });
    timer.start(10);
    QString result;
    GetHtml(http, m_server.url(QStringLiteral("/slow")), &context,
            [&](const QString &html) { result = html; });
    QTRY_COMPARE_WITH_TIMEOUT(result, QStringLiteral("late"), 10000);
    QVERIFY(ticks >= 5); // the event loop ran while the page was on its way
}

void TestHttp::inetPostSendsExactHeadersAndBody()
{
    m_server.clearRequests();
    m_server.page(QStringLiteral("/post"), "ok");
    HttpClient http;
    Inet inet(http);
    QSignalSpy states(&inet, &Inet::StateChanged);
    const QByteArray data = "id=123&pass=a%26b";
    QVERIFY(inet.Execute(m_server.url(QStringLiteral("/post")), QStringLiteral("post"), data,
                         FormPostHeaders(QStringLiteral("http://ref.example/page"))));
    QVERIFY(inet.StillExecuting());
    QTRY_COMPARE_WITH_TIMEOUT(states.size(), 1, 10000);
    QCOMPARE(states.first().first().toInt(), Inet::StateResponseCompleted);
    QVERIFY(!inet.StillExecuting());
    const RecordedRequest r = m_server.requests().last();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.target, QByteArray("/post"));
    QCOMPARE(r.body, data);
    QCOMPARE(r.header("Referer"), QByteArray("http://ref.example/page"));
    QCOMPARE(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(r.header("User-Agent"),
             QByteArray("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; Trident/4.0; SLCC2; "
                        ".NET CLR 2.0.50727; .NET CLR 3.5.30729; .NET CLR 3.0.30729; Media Center "
                        "PC 6.0; Tablet PC 2.0)"));
    QCOMPARE(FormPostHeaders(QStringLiteral("r")).count(QStringLiteral("\r\n")), 3);
}

void TestHttp::inetRefusesWhileBusy()
{
    FixtureRoute slow = FixtureRoute::page("slow");
    slow.delayMs = 300;
    m_server.route(QStringLiteral("/busy"), slow);
    m_server.clearRequests();
    HttpClient http;
    Inet inet(http);
    QVERIFY(inet.Execute(m_server.url(QStringLiteral("/busy")), QStringLiteral("get")));
    QVERIFY(!inet.Execute(m_server.url(QStringLiteral("/busy?second")), QStringLiteral("post"),
                          "x=1"));
    QVERIFY(!inet.errorText().isEmpty());
    bool idle = false;
    inet.whenIdle(this, [&] { idle = true; });
    QVERIFY(!idle);
    QTRY_VERIFY_WITH_TIMEOUT(idle, 10000);
    QCOMPARE(m_server.requests().size(), 1); // the refused request was never sent
    QVERIFY(!inet.Execute(m_server.url(QStringLiteral("/x")), QStringLiteral("delete")));
}

void TestHttp::inetChunks()
{
    const QString text = QStringLiteral("中文ab字");
    m_server.page(QStringLiteral("/chunks"), Codec::encodeAnsi(text));
    HttpClient http;
    Inet inet(http);
    QSignalSpy states(&inet, &Inet::StateChanged);
    QVERIFY(inet.Execute(m_server.url(QStringLiteral("/chunks")), QStringLiteral("get")));
    QTRY_COMPARE_WITH_TIMEOUT(states.size(), 1, 10000);
    QString joined;
    // Pieces of 3 bytes split the two-byte characters; none comes out broken.
    for (QString piece = inet.GetChunkText(3); !piece.isEmpty(); piece = inet.GetChunkText(3))
        joined += piece;
    QCOMPARE(joined, text);

    QVERIFY(inet.Execute(m_server.url(QStringLiteral("/chunks")), QStringLiteral("get")));
    QTRY_COMPARE_WITH_TIMEOUT(states.size(), 2, 10000);
    QCOMPARE(inet.GetChunkBytes(1 << 20), Codec::encodeAnsi(text));
    QCOMPARE(inet.GetChunkBytes(1 << 20), QByteArray());
}

void TestHttp::inetFailureState()
{
    HttpClient http;
    Inet inet(http);
    QSignalSpy states(&inet, &Inet::StateChanged);
    QVERIFY(inet.Execute(QStringLiteral("http://127.0.0.1:1/"), QStringLiteral("get")));
    QTRY_COMPARE_WITH_TIMEOUT(states.size(), 1, 10000);
    QCOMPARE(states.first().first().toInt(), Inet::StateError);
    QVERIFY(!inet.StillExecuting());
}

void TestHttp::inetOpenUrl()
{
    m_server.page(QStringLiteral("/list"), Codec::encodeAnsi(QStringLiteral("版本|1.5")));
    HttpClient http;
    Inet inet(http);
    std::optional<QString> text;
    inet.OpenURL(m_server.url(QStringLiteral("/list")), this, [&](const QString &t) { text = t; });
    QTRY_VERIFY_WITH_TIMEOUT(text.has_value(), 10000);
    QCOMPARE(*text, QStringLiteral("版本|1.5"));
    text.reset();
    inet.OpenURL(QStringLiteral("http://127.0.0.1:1/"), this, [&](const QString &t) { text = t; });
    QTRY_VERIFY_WITH_TIMEOUT(text.has_value(), 10000);
    QCOMPARE(*text, QString());
}

void TestHttp::cookiesCleared()
{
    FixtureRoute set = FixtureRoute::page("set");
    set.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("sid=abc; Path=/")));
    m_server.route(QStringLiteral("/setcookie"), set);
    m_server.page(QStringLiteral("/echo"), "echo");
    HttpClient http;
    fetch(http, m_server.url(QStringLiteral("/setcookie")));
    fetch(http, m_server.url(QStringLiteral("/echo")));
    QCOMPARE(m_server.requests().last().header("Cookie"), QByteArray("sid=abc"));
    http.clearCookies();
    fetch(http, m_server.url(QStringLiteral("/echo")));
    QCOMPARE(m_server.requests().last().header("Cookie"), QByteArray());
}

void TestHttp::serviceHosts()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QCOMPARE(ServiceHosts(dir.path()).base(QStringLiteral("vendor")),
             ServiceHosts().base(QStringLiteral("vendor")));
    QVERIFY(dir.write(QStringLiteral("services.ini"),
                      "# fixture\nvendor = http://127.0.0.1:8080/\n  51la=http://stats.test \n"
                      "unknown = http://x\njunk\n"));
    const ServiceHosts hosts(dir.path());
    QCOMPARE(hosts.url(QStringLiteral("vendor"), QStringLiteral("/software/wyc/info.txt")),
             QStringLiteral("http://127.0.0.1:8080/software/wyc/info.txt"));
    QCOMPARE(hosts.base(QStringLiteral("51la")), QStringLiteral("http://stats.test"));
    QCOMPARE(hosts.base(QStringLiteral("unknown")), QString());
    QCOMPARE(hosts.base(QStringLiteral("baidu")), ServiceHosts().base(QStringLiteral("baidu")));
    for (const QString &key : ServiceHosts::keys())
        QVERIFY2(!ServiceHosts().base(key).isEmpty(), qPrintable(key));
}

QTEST_GUILESS_MAIN(TestHttp)
#include "tst_http.moc"
