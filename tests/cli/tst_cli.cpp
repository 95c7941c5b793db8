// morvane-cli: argument handling and exit codes, harvest, test-rule and articles against the
// fixture site, and a harvest killed in the middle.
#include "articles/article_store.h"
#include "rewriting/keyword_store.h"
#include "fixture_site.h"
#include "temp_program_dir.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the tool while the event loop (and so the fixture server) keeps running.
Run runCli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    p.start(QStringLiteral(MORVANE_CLI), args);
    p.waitForStarted();
    p.write(input);
    p.closeWriteChannel();
    QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 60000);
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void arguments_data();
    void arguments();
    void harvest_data();
    void harvest();
    void harvestRefusesBadRules_data();
    void harvestRefusesBadRules();
    void harvestReportsStoreFailure();
    void killedHarvestKeepsStoredArticles();
    void testRule();
    void rewrite();
    void rewriteRefusals_data();
    void rewriteRefusals();
    void harvestWithLinksAndRewriting();
    void exportArticles();

private:
    FixtureServer m_server;
};

void TestCli::initTestCase()
{
    QVERIFY(m_server.start());
    FixtureSite::install(m_server);
}

void TestCli::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutText");
    QTest::newRow("no command") << QStringList{} << 2 << "";
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_qs} << 2 << "";
    QTest::newRow("home without dir") << QStringList{u"--home"_qs} << 2 << "";
    QTest::newRow("help") << QStringList{u"--help"_qs} << 0 << "usage: morvane-cli";
    QTest::newRow("home") << QStringList{u"--home"_qs, u"/tmp/somewhere"_qs, u"home"_qs} << 0
                          << "/tmp/somewhere\n";
    QTest::newRow("harvest without file") << QStringList{u"harvest"_qs} << 2 << "";
    QTest::newRow("harvest bad interval") << QStringList{u"harvest"_qs, u"x.Rule"_qs,
                                                       u"--interval-ms"_qs, u"0"_qs}
                                          << 2 << "";
    QTest::newRow("articles with argument") << QStringList{u"articles"_qs, u"x"_qs} << 2 << "";
}

void TestCli::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutText);
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(stdoutText.isEmpty() ? r.out.isEmpty() : r.out.startsWith(stdoutText), qPrintable(r.out));
    if (exitCode == 2)
        QVERIFY(r.err.startsWith(QStringLiteral("morvane-cli: ")));
}

void TestCli::harvest_data()
{
    QTest::addColumn<bool>("strip");
    QTest::newRow("as fetched") << false;
    QTest::newRow("stripped") << true;
}

void TestCli::harvest()
{
    QFETCH(bool, strip);
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("site.Rule"), FixtureSite::ruleBytes(m_server, u"30"_qs)));
    QStringList args{u"--home"_qs, dir.path(), u"harvest"_qs, dir.file(u"site.Rule"_qs),
                     u"--interval-ms"_qs, u"1"_qs};
    if (strip)
        args << u"--strip-html"_qs;
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d - "));
    QStringList messages;
    for (const QString &line : lines) {
        QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
        messages << line.mid(8);
    }
    QCOMPARE(messages.first(), QStringLiteral("工作引擎已经启动..."));
    QCOMPARE(messages.at(2), QStringLiteral("成功采集到文章     第二篇 UTF-8 😀"));
    QCOMPARE(messages.last(), QStringLiteral("★★★★★以上采集程序的工作日志到此结束★★★★★"));

    ArticleStore store(dir.path());
    const auto rows = store.list();
    const auto expected = FixtureSite::expectedRows(strip);
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(store.read(rows.at(i).first)->title, expected.at(i).first);
        QCOMPARE(store.read(rows.at(i).first)->content, expected.at(i).second);
    }

    const Run list = runCli({u"--home"_qs, dir.path(), u"articles"_qs});
    QCOMPARE(list.exitCode, 0);
    QStringList want;
    for (int i = 0; i < rows.size(); ++i)
        want << QString::number(rows.at(i).first) + u'\t' + expected.at(i).first;
    QCOMPARE(list.out, want.join(u'\n') + u'\n');
}

void TestCli::harvestRefusesBadRules_data()
{
    QTest::addColumn<QByteArray>("rule");
    QTest::newRow("no {N}") << Codec::encodeAnsi(
        u"[规则列表]\r\n批量形式=http://a/1.html\r\n数字开始=1\r\n数字结束=2\r\n标题结束=x\r\n时间间隔=1\r\n"_qs);
    QTest::newRow("missing keys") << QByteArray("[规则列表]\r\n");
    QTest::newRow("junk file") << QByteArray("\x01\x02 junk\r\n");
    QTest::newRow("100000 pages") << Codec::encodeAnsi(
        u"[规则列表]\r\n批量形式=http://a/{N}\r\n数字开始=1\r\n数字结束=100000\r\n标题结束=x\r\n时间间隔=1\r\n"_qs);
    QTest::newRow("bad interval") << Codec::encodeAnsi(
        u"[规则列表]\r\n批量形式=http://a/{N}\r\n数字开始=1\r\n数字结束=2\r\n标题结束=x\r\n时间间隔=0\r\n"_qs);
}

void TestCli::harvestRefusesBadRules()
{
    QFETCH(QByteArray, rule);
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("bad.Rule"), rule));
    const Run r = runCli({u"--home"_qs, dir.path(), u"harvest"_qs, dir.file(u"bad.Rule"_qs)});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.err.count(u'\n'), 1);
    QVERIFY(r.out.isEmpty());

    const Run missing = runCli({u"--home"_qs, dir.path(), u"harvest"_qs, dir.file(u"none.Rule"_qs)});
    QCOMPARE(missing.exitCode, 2);
}

void TestCli::harvestReportsStoreFailure()
{
    TempProgramDir dir(TempProgramDir::Empty); // no data folder: nothing can be stored
    QVERIFY(dir.write(QStringLiteral("site.Rule"), FixtureSite::ruleBytes(m_server)));
    const Run r = runCli({u"--home"_qs, dir.path(), u"harvest"_qs, dir.file(u"site.Rule"_qs),
                          u"--interval-ms"_qs, u"1"_qs});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out.count(QStringLiteral("文章保存失败")), 3);
    QVERIFY(r.out.contains(QStringLiteral("★★★★★以上采集程序的工作日志到此结束★★★★★")));
}

void TestCli::killedHarvestKeepsStoredArticles()
{
    // A long run over one page, killed once some articles are in: every article logged before
    // the last log line read is in the store.
    m_server.page(QStringLiteral("/many"), FixtureSite::pageBytes(u"同一篇"_qs, u"<p>正文</p>"_qs, false));
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("many.Rule"),
                      Codec::encodeAnsi(u"[规则列表]\r\n批量形式="_qs + m_server.url(u"/many?{N}"_qs)
                                        + u"\r\n数字开始=1\r\n数字结束=5000\r\n标题开始=<h1>\r\n"
                                          "标题结束=</h1>\r\n正文开始=<div class=\"content\">\r\n"
                                          "正文结束=</div>\r\n时间间隔=1\r\n"_qs)));
    QProcess p;
    p.start(QStringLiteral(MORVANE_CLI), {u"--home"_qs, dir.path(), u"harvest"_qs,
                                          dir.file(u"many.Rule"_qs), u"--interval-ms"_qs, u"1"_qs});
    QString out;
    QVERIFY(QTest::qWaitFor([&] {
        out += QString::fromUtf8(p.readAllStandardOutput());
        return out.count(QStringLiteral("成功采集到文章")) >= 30;
    }, 60000));
    p.kill();
    QVERIFY(p.waitForFinished(10000));
    out += QString::fromUtf8(p.readAllStandardOutput());
    const qint64 logged = out.count(QStringLiteral("成功采集到文章"));
    // The last logged article may have been killed before its store.
    QVERIFY2(ArticleStore(dir.path()).count() >= logged - 1,
             qPrintable(QString::number(ArticleStore(dir.path()).count())));
}

void TestCli::testRule()
{
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("site.Rule"), FixtureSite::ruleBytes(m_server)));
    const Run r = runCli({u"--home"_qs, dir.path(), u"test-rule"_qs, dir.file(u"site.Rule"_qs)});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("第一篇：GBK 页面\n正文一，含'引号'和\"双引号\"。\n"));
    QVERIFY(ArticleStore(dir.path()).list().isEmpty());

    QVERIFY(dir.write(QStringLiteral("dead.Rule"),
                      Codec::encodeAnsi(u"[规则列表]\r\n批量形式=http://127.0.0.1:1/{N}\r\n数字开始=1\r\n数字结束=2\r\n"_qs)));
    const Run dead = runCli({u"--home"_qs, dir.path(), u"test-rule"_qs, dir.file(u"dead.Rule"_qs)});
    QCOMPARE(dead.exitCode, 1);
    QCOMPARE(dead.err, QStringLiteral("获取信息失败，请确认好信息后再试！\n"));
}

void TestCli::rewrite()
{
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("data/dict.dict"), Codec::encodeAnsi(u"我们|咱们\r\n非常|十分"_qs)));
    const QByteArray text = QStringLiteral("我们非常喜欢第一段。\n\n\n第二段也非常好。\n第三段在这里。\n").toUtf8();
    const QStringList base{u"--home"_qs, dir.path(), u"rewrite"_qs};
    const Run plain = runCli(base, text);
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(plain.out, QStringLiteral("咱们十分喜欢第一段。\n第二段也十分好。\n第三段在这里。"));

    const QStringList shuffled = base + QStringList{u"--shuffle"_qs, u"paragraph"_qs, u"--seed"_qs, u"7"_qs};
    const Run a = runCli(shuffled, text);
    const Run b = runCli(shuffled, text);
    QCOMPARE(a.exitCode, 0);
    QCOMPARE(a.out, b.out); // same seed, same text, same options: same output
    QStringList paragraphs = a.out.split(u'\n');
    paragraphs.sort();
    QCOMPARE(paragraphs, (QStringList{u"咱们十分喜欢第一段。"_qs, u"第三段在这里。"_qs, u"第二段也十分好。"_qs}));

    const Run bare = runCli(base + QStringList{u"--no-synonyms"_qs}, text);
    QCOMPARE(bare.out, QStringLiteral("我们非常喜欢第一段。\n第二段也非常好。\n第三段在这里。"));
    const Run tiny = runCli(base, "短");
    QCOMPARE(tiny.out, QStringLiteral("短"));
}

void TestCli::rewriteRefusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("withDictionary");
    QTest::newRow("bad shuffle") << QStringList{u"--shuffle"_qs, u"words"_qs} << true;
    QTest::newRow("bad seed") << QStringList{u"--seed"_qs, u"x"_qs} << true;
    QTest::newRow("unknown option") << QStringList{u"--fast"_qs} << true;
    QTest::newRow("missing dictionary") << QStringList{} << false;
}

void TestCli::rewriteRefusals()
{
    QFETCH(QStringList, args);
    QFETCH(bool, withDictionary);
    TempProgramDir dir;
    if (!withDictionary)
        QVERIFY(dir.remove(QStringLiteral("data/dict.dict")));
    const Run r = runCli(QStringList{u"--home"_qs, dir.path(), u"rewrite"_qs} + args, "一二三四五六七八九十");
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
}

void TestCli::harvestWithLinksAndRewriting()
{
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("data/dict.dict"), Codec::encodeAnsi(u"正文|内容"_qs)));
    QVERIFY(dir.write(QStringLiteral("site.Rule"), FixtureSite::ruleBytes(m_server)));
    KeywordStore(dir.path()).add(QStringLiteral("第一段"), QStringLiteral("http://k.test"));
    const Run r = runCli({u"--home"_qs, dir.path(), u"harvest"_qs, dir.file(u"site.Rule"_qs),
                          u"--interval-ms"_qs, u"1"_qs, u"--strip-html"_qs, u"--seo"_qs, u"--wyc"_qs,
                          u"--shuffle"_qs, u"sentence"_qs});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.count(QStringLiteral("关键词优化处理中....关键词优化完成！")), 3);
    QCOMPARE(r.out.count(QStringLiteral("文章伪原创处理完成！")), 3);
    ArticleStore store(dir.path());
    const auto rows = store.list();
    QCOMPARE(rows.size(), 3);
    QVERIFY(store.read(rows.at(0).first)->content.startsWith(QStringLiteral("内容一")));
    QVERIFY(store.read(rows.at(2).first)->content.contains(
        QStringLiteral("<a href=\"http://k.test\" target=\"_blank\">第一段</a>")));
}

void TestCli::exportArticles()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral("旧")));
    QVERIFY(store.SaveArticle(QStringLiteral("../出界"), QStringLiteral("x")));
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral(" 新 ")));
    QVERIFY(store.SaveArticle(QStringLiteral("引号"), QStringLiteral("他说\"好\"")));
    QTemporaryDir target;
    const Run r = runCli({u"--home"_qs, dir.path(), u"export"_qs, target.path()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("written 3, skipped 1\n"));
    QCOMPARE(r.err, QStringLiteral("skipped: ../出界\n"));
    QDir folder(target.path());
    QCOMPARE(folder.entryList(QDir::Files), (QStringList{u"同题.txt"_qs, u"引号.txt"_qs}));
    QFile same(folder.filePath(QStringLiteral("同题.txt")));
    QVERIFY(same.open(QIODevice::ReadOnly));
    QCOMPARE(same.readAll(), Codec::encodeAnsi(u"\"旧\"\r\n"_qs));

    const Run missing = runCli({u"--home"_qs, dir.path(), u"export"_qs, target.filePath(u"none"_qs)});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
