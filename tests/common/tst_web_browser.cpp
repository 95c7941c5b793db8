// The web view: loading a fixture page, its links, and the editable body of the editing page.
#include "common/http.h"
#include "common/web_browser.h"
#include "fixture_server.h"
#include "gui_test_main.h"
#include "temp_program_dir.h"

#include <QSignalSpy>

class TestWebBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void loadsPageAndListsLinks();
    void editingPageBody();
    void bodyOfPageWithoutFrame();
    void clearCookiesEmptiesBothJars();

private:
    FixtureServer m_server;
};

void TestWebBrowser::loadsPageAndListsLinks()
{
    m_server.page(QStringLiteral("/list.html"),
                  "<html><body><a href=\"/a.html\">A</a><p><a href=\"http://example.test/b\">B</a>"
                  "</p><a name=\"anchor\">no href</a><a href=\"c.html?x=1\">C</a></body></html>");
    WebBrowser view;
    QCOMPARE(view.LocationURL(), QString());
    QSignalSpy complete(&view, &WebBrowser::DocumentComplete);
    view.Navigate(m_server.url(QStringLiteral("/list.html")));
    QVERIFY(view.Busy());
    QVERIFY(complete.wait(20000));
    QCOMPARE(view.ReadyState(), 4);
    QVERIFY(!view.Busy());
    QCOMPARE(view.LocationURL(), m_server.url(QStringLiteral("/list.html")));
    QStringList links;
    bool got = false;
    view.links([&](const QStringList &l) {
        links = l;
        got = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(got, 10000);
    QCOMPARE(links, (QStringList{m_server.url(QStringLiteral("/a.html")),
                                 QStringLiteral("http://example.test/b"), QString(),
                                 m_server.url(QStringLiteral("/c.html?x=1"))}));
}

void TestWebBrowser::editingPageBody()
{
    TempProgramDir dir;
    WebBrowser view;
    QSignalSpy complete(&view, &WebBrowser::DocumentComplete);
    view.Navigate(dir.file(QStringLiteral("edit/index.html")));
    QVERIFY(complete.wait(20000));
    QVERIFY(complete.first().at(1).toBool());

    const QString html = QStringLiteral("<p>第一段 \"引号\" 'single' </p><p>第二段😀</script></p>");
    std::optional<bool> written;
    view.writeEditableBody(html, [&](bool ok) { written = ok; });
    QTRY_VERIFY_WITH_TIMEOUT(written.has_value(), 10000);
    QVERIFY(*written);

    std::optional<QString> read;
    view.readEditableBody([&](bool ok, const QString &h) {
        QVERIFY(ok);
        read = h;
    });
    QTRY_VERIFY_WITH_TIMEOUT(read.has_value(), 10000);
    QCOMPARE(*read, QStringLiteral("<p>第一段 \"引号\" 'single' </p><p>第二段😀</p>"));
}

void TestWebBrowser::bodyOfPageWithoutFrame()
{
    m_server.page(QStringLiteral("/noframe.html"), "<html><body>x</body></html>");
    WebBrowser view;
    QSignalSpy complete(&view, &WebBrowser::DocumentComplete);
    view.Navigate(m_server.url(QStringLiteral("/noframe.html")));
    QVERIFY(complete.wait(20000));
    std::optional<bool> ok;
    view.readEditableBody([&](bool success, const QString &) { ok = success; });
    QTRY_VERIFY_WITH_TIMEOUT(ok.has_value(), 10000);
    QVERIFY(!*ok);
}

void TestWebBrowser::clearCookiesEmptiesBothJars()
{
    FixtureRoute set = FixtureRoute::page("<html><body>set</body></html>");
    set.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("web=1; Path=/")));
    m_server.route(QStringLiteral("/cookie/set"), set);
    m_server.page(QStringLiteral("/cookie/echo"), "<html><body>echo</body></html>");
    WebBrowser view;
    QSignalSpy complete(&view, &WebBrowser::DocumentComplete);
    const auto load = [&](const QString &path) {
        complete.clear();
        view.Navigate(m_server.url(path));
        QVERIFY(complete.wait(20000));
    };
    load(QStringLiteral("/cookie/set"));
    load(QStringLiteral("/cookie/echo"));
    QCOMPARE(m_server.requests().last().header("Cookie"), QByteArray("web=1"));

    HttpClient http;
    ClearCookies(http);
    // The web engine drops its cookies asynchronously.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            load(QStringLiteral("/cookie/echo"));
            return m_server.requests().last().header("Cookie").isEmpty();
        }(),
        10000);
}

MORVANE_GUI_TEST_MAIN(TestWebBrowser)
#include "tst_web_browser.moc"
