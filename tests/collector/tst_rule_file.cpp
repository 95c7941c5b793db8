// Rule files: private-profile reading and writing, the save checks, number values and page lists.
#include "collector/collection_rule.h"
#include "collector/profile_file.h"
#include "common/codec.h"
#include "temp_program_dir.h"

#include <QtTest>

namespace {

const QString S = QStringLiteral("规则列表");

} // namespace

class TestRuleFile : public QObject
{
    Q_OBJECT
private slots:
    void readValue_data();
    void readValue();
    void overLongValueCutAtCharacter();
    void missingFileAndKeys();
    void newFileHasNineLines();
    void writeUpdatesInPlace();
    void writeAddsKeyAndSection();
    void ruleRoundTrip();
    void checkForSave_data();
    void checkForSave();
    void numberValue_data();
    void numberValue();
    void pageList_data();
    void pageList();
    void hugeRangeIsRefused();
    void testAddress();
    void safeNames_data();
    void safeNames();
};

void TestRuleFile::readValue_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray head = Codec::encodeAnsi(QStringLiteral("[规则列表]\r\n"));
    QTest::newRow("plain") << head + Codec::encodeAnsi(u"标题结束=</h1>\r\n"_qs) << "标题结束" << "</h1>";
    QTest::newRow("blanks dropped") << head + Codec::encodeAnsi(u"  标题结束 =  </h1> \t\r\n"_qs)
                                    << "标题结束" << "</h1>";
    QTest::newRow("double quotes") << head + Codec::encodeAnsi(u"k=\" a \"\r\n"_qs) << "k" << " a ";
    QTest::newRow("single quotes") << head + Codec::encodeAnsi(u"k='a'\r\n"_qs) << "k" << "a";
    QTest::newRow("one quote kept") << head + Codec::encodeAnsi(u"k=\"a\r\n"_qs) << "k" << "\"a";
    QTest::newRow("key case-insensitive") << head + "Interval=3\r\n" << "INTERVAL" << "3";
    QTest::newRow("first of two keys") << head + "k=1\r\nk=2\r\n" << "k" << "1";
    QTest::newRow("other section ignored")
        << QByteArray("[x]\r\nk=other\r\n") + head + "k=mine\r\n" << "k" << "mine";
    QTest::newRow("junk lines") << head + "junk\r\n;comment\r\n\r\nk=v\r\n" << "k" << "v";
    QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBF") + QStringLiteral("[规则列表]\r\nk=中\r\n").toUtf8()
                                << "k" << "中";
    QTest::newRow("LF only") << Codec::encodeAnsi(u"[规则列表]\nk=v\n"_qs) << "k" << "v";
    QTest::newRow("value with =") << head + "k=a=b\r\n" << "k" << "a=b";
    QTest::newRow("empty value") << head + "k=\r\n" << "k" << "";
}

void TestRuleFile::readValue()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("r.Rule"), file));
    QCOMPARE(ProfileFile::ReadRuleValue(dir.file(QStringLiteral("r.Rule")), S, key,
                                        QStringLiteral("<default>")),
             value);
}

void TestRuleFile::overLongValueCutAtCharacter()
{
    TempProgramDir dir(TempProgramDir::Empty);
    const QString longMarker = QString(300, u'正');
    QVERIFY(dir.write(QStringLiteral("r.Rule"),
                      Codec::encodeAnsi(u"[规则列表]\r\n正文开始="_qs + longMarker + u"\r\nk=a"_qs
                                        + QString(300, u'b') + u"\r\n"_qs)));
    const QString file = dir.file(QStringLiteral("r.Rule"));
    QCOMPARE(ProfileFile::ReadRuleValue(file, S, QStringLiteral("正文开始"), QString()),
             QString(126, u'正')); // 253 bytes hold 126 two-byte characters
    QCOMPARE(ProfileFile::ReadRuleValue(file, S, QStringLiteral("k"), QString()),
             u"a"_qs + QString(252, u'b'));
    QCOMPARE(ProfileFile::cutToAnsiBytes(QStringLiteral("a😀"), 4), QStringLiteral("a"));
    QCOMPARE(ProfileFile::cutToAnsiBytes(QStringLiteral("a😀"), 5), QStringLiteral("a😀"));
    QCOMPARE(ProfileFile::CutAtNul(u"ab\0cd"_qs), QStringLiteral("ab"));
}

void TestRuleFile::missingFileAndKeys()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QCOMPARE(ProfileFile::ReadRuleValue(dir.file(QStringLiteral("none.Rule")), S, QStringLiteral("k"),
                                        QStringLiteral("d")),
             QString());
    QVERIFY(dir.write(QStringLiteral("partial.Rule"),
                      Codec::encodeAnsi(u"[规则列表]\r\n批量形式=http://x/{N}\r\n"_qs)));
    const CollectionRule rule = Rules::read(dir.file(QStringLiteral("partial.Rule")));
    QCOMPARE(rule.UrlPattern, QStringLiteral("http://x/{N}"));
    QCOMPARE(rule.NumStart, QString());
    QCOMPARE(rule.TitleEnd, QString());
    QCOMPARE(rule.Interval, QString());

    // Section names match regardless of case; a missing key gives the default.
    QVERIFY(dir.write(QStringLiteral("latin.Rule"), "[Rules]\r\nk=v\r\n"));
    QCOMPARE(ProfileFile::ReadRuleValue(dir.file(QStringLiteral("latin.Rule")), QStringLiteral("RULES"),
                                        QStringLiteral("K"), QString()),
             QStringLiteral("v"));
    QCOMPARE(ProfileFile::ReadRuleValue(dir.file(QStringLiteral("latin.Rule")), QStringLiteral("rules"),
                                        QStringLiteral("missing"), QStringLiteral("d")),
             QStringLiteral("d"));
}

void TestRuleFile::newFileHasNineLines()
{
    TempProgramDir dir(TempProgramDir::Empty);
    CollectionRule rule;
    rule.UrlPattern = QStringLiteral("http://a/list_{N}.html");
    rule.NumStart = QStringLiteral("1");
    rule.NumEnd = QStringLiteral("3");
    rule.TitleStart = QStringLiteral("<h1>");
    rule.TitleEnd = QStringLiteral("</h1>");
    rule.ContentStart = QStringLiteral("<div>");
    rule.ContentEnd = QStringLiteral("</div>");
    rule.Interval = QStringLiteral("2");
    QVERIFY(Rules::write(dir.file(QStringLiteral("n.Rule")), rule));
    QCOMPARE(dir.read(QStringLiteral("n.Rule")),
             Codec::encodeAnsi(u"[规则列表]\r\n批量形式=http://a/list_{N}.html\r\n数字开始=1\r\n"
                               "数字结束=3\r\n标题开始=<h1>\r\n标题结束=</h1>\r\n正文开始=<div>\r\n"
                               "正文结束=</div>\r\n时间间隔=2\r\n"_qs));
}

void TestRuleFile::writeUpdatesInPlace()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("r.Rule"),
                      Codec::encodeAnsi(u"; my notes\r\n[规则列表]\r\n标题结束=old\r\n自定义=keep\r\n"
                                        "\r\n[其它]\r\nx=1\r\n"_qs)));
    const QString file = dir.file(QStringLiteral("r.Rule"));
    QCOMPARE(ProfileFile::WriteRuleValue(file, S, QStringLiteral("标题结束"), QStringLiteral("</h2> ")),
             QStringLiteral("1"));
    QCOMPARE(ProfileFile::WriteRuleValue(file, S, QStringLiteral("时间间隔"), QStringLiteral("5")),
             QStringLiteral("1"));
    QCOMPARE(dir.read(QStringLiteral("r.Rule")),
             Codec::encodeAnsi(u"; my notes\r\n[规则列表]\r\n标题结束=</h2> \r\n自定义=keep\r\n"
                               "时间间隔=5\r\n\r\n[其它]\r\nx=1\r\n"_qs));
    // A value saved with a trailing blank reads back without it.
    QCOMPARE(ProfileFile::ReadRuleValue(file, S, QStringLiteral("标题结束"), QString()),
             QStringLiteral("</h2>"));
}

void TestRuleFile::writeAddsKeyAndSection()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("r.Rule"), "[other]\r\na=1\r\n"));
    const QString file = dir.file(QStringLiteral("r.Rule"));
    QCOMPARE(ProfileFile::WriteRuleValue(file, S, QStringLiteral("k"), QStringLiteral("v")),
             QStringLiteral("1"));
    QCOMPARE(dir.read(QStringLiteral("r.Rule")),
             Codec::encodeAnsi(u"[other]\r\na=1\r\n[规则列表]\r\nk=v\r\n"_qs));
    // A file that cannot be written reports "0".
    QCOMPARE(ProfileFile::WriteRuleValue(dir.file(QStringLiteral("r.Rule/x.Rule")), S,
                                         QStringLiteral("k"), QStringLiteral("v")),
             QStringLiteral("0"));
}

void TestRuleFile::ruleRoundTrip()
{
    TempProgramDir dir(TempProgramDir::Empty);
    CollectionRule rule;
    rule.UrlPattern = QStringLiteral("http://新闻.cn/{N}.html");
    rule.NumStart = QStringLiteral("01");
    rule.NumEnd = QStringLiteral("12abc");
    rule.TitleStart = QStringLiteral("<title>");
    rule.TitleEnd = QStringLiteral("_新闻</title>");
    rule.ContentStart = QStringLiteral("<div id='c'>");
    rule.ContentEnd = QStringLiteral("</div>");
    rule.Interval = QStringLiteral("0.5");
    const QString file = dir.file(QStringLiteral("x.Rule"));
    QVERIFY(Rules::write(file, rule));
    QCOMPARE(Rules::read(file), rule);
}

void TestRuleFile::checkForSave_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("titleEnd");
    QTest::addColumn<int>("check");
    const int ok = int(Rules::SaveCheck::Ok);
    const int missing = int(Rules::SaveCheck::MissingField);
    const int invalid = int(Rules::SaveCheck::InvalidRange);
    const QString p = QStringLiteral("http://a/{N}.html");
    QTest::newRow("valid") << "1" << "5" << p << "</h1>" << ok;
    QTest::newRow("range of one page") << "1" << "1" << p << "</h1>" << invalid;
    QTest::newRow("start 0") << "0" << "5" << p << "</h1>" << invalid;
    QTest::newRow("negative start") << "-2" << "2" << p << "</h1>" << ok;
    QTest::newRow("start 5abc") << "5abc" << "9" << p << "</h1>" << invalid;
    QTest::newRow("end 12abc") << "1" << "12abc" << p << "</h1>" << ok;
    QTest::newRow("no {N}") << "1" << "5" << "http://a/1.html" << "</h1>" << invalid;
    QTest::newRow("lower-case {n}") << "1" << "5" << "http://a/{n}.html" << "</h1>" << invalid;
    QTest::newRow("missing title end") << "1" << "5" << p << "" << missing;
    QTest::newRow("missing start") << "" << "5" << p << "</h1>" << missing;
    QTest::newRow("end below start") << "5" << "1" << p << "</h1>" << invalid;
}

void TestRuleFile::checkForSave()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, pattern);
    QFETCH(QString, titleEnd);
    QFETCH(int, check);
    CollectionRule rule;
    rule.NumStart = start;
    rule.NumEnd = end;
    rule.UrlPattern = pattern;
    rule.TitleEnd = titleEnd;
    rule.Interval = QStringLiteral("3");
    QCOMPARE(int(Rules::checkForSave(rule)), check);
}

void TestRuleFile::numberValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "12" << 12.0;
    QTest::newRow("trailing junk") << "12abc" << 12.0;
    QTest::newRow("blanks skipped") << " 1 2 " << 12.0;
    QTest::newRow("fraction") << "1.5" << 1.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("none") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
}

void TestRuleFile::numberValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Rules::numberValue(text), value);
}

void TestRuleFile::pageList_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("three") << "http://a/list_{N}.html" << "1" << "3"
                           << QStringList{u"http://a/list_1.html"_qs, u"http://a/list_2.html"_qs,
                                          u"http://a/list_3.html"_qs};
    QTest::newRow("fractions") << "p{N}" << "1.5" << "4"
                               << QStringList{u"p1.5"_qs, u"p2.5"_qs, u"p3.5"_qs};
    QTest::newRow("first {N} only") << "{N}/{N}" << "1" << "2"
                                    << QStringList{u"1/{N}"_qs, u"2/{N}"_qs};
    QTest::newRow("no {N}") << "same" << "1" << "3" << QStringList{u"same"_qs, u"same"_qs, u"same"_qs};
    QTest::newRow("start above end") << "p{N}" << "5" << "1" << QStringList{};
    QTest::newRow("negative") << "p{N}" << "-2" << "0" << QStringList{u"p-2"_qs, u"p-1"_qs, u"p0"_qs};
    QTest::newRow("leading zeros written plainly") << "p{N}" << "01" << "02"
                                                   << QStringList{u"p1"_qs, u"p2"_qs};
    QTest::newRow("large numbers plain") << "p{N}" << "1000000" << "1000001"
                                         << QStringList{u"p1000000"_qs, u"p1000001"_qs};
}

void TestRuleFile::pageList()
{
    QFETCH(QString, pattern);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QStringList, pages);
    QCOMPARE(Rules::pageList(pattern, start, end).value(), pages);
}

void TestRuleFile::hugeRangeIsRefused()
{
    qint64 count = 0;
    QVERIFY(!Rules::pageList(QStringLiteral("p{N}"), QStringLiteral("1"), QStringLiteral("100000"),
                             &count));
    QCOMPARE(count, 100000);
    QVERIFY(Rules::tooManyPagesMessage(count).contains(QStringLiteral("100000")));
    QCOMPARE(Rules::pageList(QStringLiteral("p{N}"), QStringLiteral("1"), QStringLiteral("32767"))
                 ->size(),
             32767);
    QVERIFY(!Rules::pageList(QStringLiteral("p{N}"), QStringLiteral("1"), QStringLiteral("1e300")));
}

void TestRuleFile::testAddress()
{
    QCOMPARE(Rules::testAddress(QStringLiteral("http://a/list_{N}.html"), QStringLiteral("01")),
             QStringLiteral("http://a/list_01.html"));
    QCOMPARE(Rules::testAddress(QStringLiteral("{N}-{N}"), QStringLiteral(" 7")),
             QStringLiteral(" 7- 7"));
}

void TestRuleFile::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("chinese") << "新浪新闻" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("slash") << "../x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("dotdot") << ".." << false;
    QTest::newRow("question") << "a?" << false;
    QTest::newRow("newline") << "a\nb" << false;
}

void TestRuleFile::safeNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(Rules::isSafeRuleName(name), safe);
}

QTEST_GUILESS_MAIN(TestRuleFile)
#include "tst_rule_file.moc"
