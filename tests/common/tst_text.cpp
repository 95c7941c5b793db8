// Text helpers: cutting between markers, HTML stripping, file names, the delay, the shuffle and
// delimiter trimming.
#include "common/random.h"
#include "common/text.h"
#include "fake_seams.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The per-character definition of StripTags: after every character the whole output is
// normalised again. Quadratic; the reference for the one-pass implementation.
QString stripTagsReference(const QString &html)
{
    QString out;
    QChar lastBracket;
    for (const QChar ch : html) {
        if (ch == u'<' || ch == u'>')
            lastBracket = ch;
        if (ch != u'<' && ch != u'>' && lastBracket == u'>')
            out += ch;
        out.remove(u' ');
        out.replace(QStringLiteral("\r\n\r\n"), QStringLiteral("\r\n"));
        out.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        out.replace(QStringLiteral("<br><br>"), QStringLiteral("<br>"));
        if (out.startsWith(QStringLiteral("<br>")))
            out.remove(0, 4);
    }
    return out;
}

const QString CRLF = QStringLiteral("\r\n");

} // namespace

class TestText : public QObject
{
    Q_OBJECT
private slots:
    void cutBetween_data();
    void cutBetween();
    void stripTags_data();
    void stripTags();
    void stripTagsMatchesPerCharacterDefinition();
    void getFileName();
    void delay();
    void fleaRandomDrawsOncePerPosition();
    void fleaRandomSwapsWithDrawnPosition();
    void fleaRandomRanges();
    void clearVBCRlF_data();
    void clearVBCRlF();
};

void TestText::cutBetween_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("positionIn");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("positionOut");

    const QString h1 = QStringLiteral("<h1>Title</h1>");
    QTest::newRow("hit") << h1 << "<h1>" << "</h1>" << 1 << "Title" << 11;
    QTest::newRow("zero counts as one") << h1 << "<h1>" << "</h1>" << 0 << "Title" << 11;
    QTest::newRow("no start after position keeps it") << h1 << "<h1>" << "</h1>" << 12 << "" << 12;
    QTest::newRow("empty end takes the rest") << "abcX" << "b" << "" << 1 << "cX" << 3;
    QTest::newRow("missing end resets to 0") << "abc" << "a" << "z" << 1 << "" << 0;
    QTest::newRow("missing start leaves position") << "abc" << "q" << "c" << 2 << "" << 2;
    QTest::newRow("end right after start") << "xab" << "a" << "b" << 1 << "" << 4;
    QTest::newRow("case-sensitive") << "<H1>T</H1>" << "<h1>" << "</h1>" << 1 << "" << 1;
    QTest::newRow("search starts at position") << "<b>1</b><b>2</b>" << "<b>" << "</b>" << 6
                                               << "2" << 14;
    QTest::newRow("chinese markers") << "前文【标题】后文" << "【" << "】" << 1 << "标题" << 7;
}

void TestText::cutBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, positionIn);
    QFETCH(QString, result);
    QFETCH(int, positionOut);
    int position = positionIn;
    QCOMPARE(CutBetween(text, start, end, position), result);
    QCOMPARE(position, positionOut);
}

void TestText::stripTags_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraphs") << (u"x><p>Hello world</p>"_qs + CRLF + CRLF + u"<p>Next</p>"_qs)
                                << "Helloworld<br>Next";
    QTest::newRow("no closing bracket") << "plain text" << "";
    QTest::newRow("pair across tags") << (u"><b>a</b>\r<i></i>\nb"_qs) << "a<br>b";
    QTest::newRow("no mark at start") << (u">"_qs + CRLF + CRLF + u"abc"_qs) << "abc";
    QTest::newRow("br tag is removed") << "><p>a<br>b</p>" << "ab";
    QTest::newRow("lone CR and LF kept") << ">a\rb\nc" << "a\rb\nc";
    QTest::newRow("tabs and nbsp stay") << ">a\tb&nbsp;c\u3000d" << "a\tb&nbsp;c\u3000d";
    QTest::newRow("trailing CR kept") << ">a\r" << "a\r";
    QTest::newRow("CR CR LF") << ">a\r\r\nb" << "a\r<br>b";
    QTest::newRow("space inside pair") << ">a\r \nb" << "a<br>b";
    QTest::newRow("empty") << "" << "";
}

void TestText::stripTags()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(StripTags(html), text);
    QCOMPARE(stripTagsReference(html), text);
}

void TestText::stripTagsMatchesPerCharacterDefinition()
{
    // Random strings over the characters that matter, compared with the definition.
    const QString alphabet = QStringLiteral("<>\r\n ab中\t");
    SeededRandom random(20261211);
    for (int round = 0; round < 3000; ++round) {
        const int length = int(random.next() * 40);
        QString html;
        for (int i = 0; i < length; ++i)
            html += alphabet.at(int(random.next() * alphabet.size()));
        QCOMPARE(StripTags(html), stripTagsReference(html));
    }
}

void TestText::getFileName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("新闻.Rule"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(GetFileName(path), QStringLiteral("新闻.Rule"));
    QCOMPARE(GetFileName(dir.filePath(QStringLiteral("missing.Rule"))), QStringLiteral("未知"));
    QCOMPARE(GetFileName(QString()), QStringLiteral("未知"));
    QCOMPARE(GetFileName(dir.path()), QStringLiteral("未知")); // a folder is not a file
}

void TestText::delay()
{
    QObject context;
    int calls = 0;
    Delay(0, &context, [&] { ++calls; });
    Delay(-5, &context, [&] { ++calls; });
    QCOMPARE(calls, 2); // at once, without waiting for the event loop

    QElapsedTimer timer;
    timer.start();
    bool done = false;
    bool ticked = false;
    QTimer::singleShot(20, &context, [&] { ticked = true; }); // events run meanwhile
    Delay(200, &context, [&] { done = true; });
    QVERIFY(!done);
    QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
    QVERIFY(ticked);
    QVERIFY(timer.elapsed() >= 195);

    // A destroyed context drops the call.
    bool dropped = true;
    {
        QObject shortLived;
        Delay(10, &shortLived, [&] { dropped = false; });
    }
    QTest::qWait(50);
    QVERIFY(dropped);
}

void TestText::fleaRandomDrawsOncePerPosition()
{
    ScriptedRandom random;
    QList<qint32> one{7};
    FleaRandom(one, random);
    QCOMPARE(one, QList<qint32>{7});
    QCOMPARE(random.draws, 1);

    QList<qint32> none;
    FleaRandom(none, random);
    QCOMPARE(random.draws, 1); // empty scan range: no draw

    QList<qint32> five{0, 1, 2, 3, 4};
    FleaRandom(five, random);
    QCOMPARE(random.draws, 6);
}

void TestText::fleaRandomSwapsWithDrawnPosition()
{
    // Position i is swapped with floor(r * n), in index order.
    ScriptedRandom random;
    random.script({0.99, 0.0, 0.5, 0.25});
    QList<qint32> list{0, 1, 2, 3};
    FleaRandom(list, random);
    // i=0 <-> 3: 3 1 2 0; i=1 <-> 0: 1 3 2 0; i=2 <-> 2: same; i=3 <-> 1: 1 0 2 3
    QCOMPARE(list, (QList<qint32>{1, 0, 2, 3}));
}

void TestText::fleaRandomRanges()
{
    ScriptedRandom random;
    random.script({0.0, 0.0});
    QList<qint32> list{0, 1, 2, 3, 4, 5};
    // Swap range 2..4 (also the scan range): positions 2,3,4 swapped with 2 + floor(r * 3).
    random.script({0.0, 0.0, 0.0});
    FleaRandom(list, random, false, true, 0, 0, 2, 4);
    QCOMPARE(random.draws, 3);
    QCOMPARE(list, (QList<qint32>{0, 1, 4, 2, 3, 5}));
    // Scan range 0..0 with the swap range 3..5.
    random.draws = 0;
    random.script({0.999});
    FleaRandom(list, random, true, true, 0, 0, 3, 5);
    QCOMPARE(random.draws, 1);
    QCOMPARE(list, (QList<qint32>{5, 1, 4, 2, 3, 0}));
}

void TestText::clearVBCRlF_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("result");
    QTest::newRow("crlf") << (CRLF + CRLF + u"abc"_qs + CRLF) << CRLF << "abc";
    QTest::newRow("inner crlf stays") << (CRLF + u"a"_qs + CRLF + u"b"_qs) << CRLF
                                      << (u"a"_qs + CRLF + u"b"_qs);
    QTest::newRow("full stop") << "。。a。b。。" << "。" << "a。b";
    QTest::newRow("long delimiter removes nothing") << "xxabcxx" << "xx" << "xxabcxx";
    QTest::newRow("empty delimiter") << "abc" << "" << "abc";
    QTest::newRow("empty text") << "" << "。" << "";
    QTest::newRow("only delimiters") << "。。。" << "。" << "";
    QTest::newRow("lone CR is not CR LF") << "\rabc\n" << CRLF << "\rabc\n";
}

void TestText::clearVBCRlF()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QString, result);
    QCOMPARE(ClearVBCRlF(text, delimiter), result);
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
