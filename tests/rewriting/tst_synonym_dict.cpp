// Loading the synonym dictionary: line rules, lenient entries, missing and unreadable files.
#include "common/codec.h"
#include "fake_seams.h"
#include "rewriting/synonym_dict.h"
#include "temp_program_dir.h"

#include <QtTest>

Q_DECLARE_METATYPE(SynonymTable)

class TestSynonymDict : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void loadsFileAsGb18030();
    void missingFileTellsTheUser();
    void folderOrBadBytes();
    void shippedDictionaryLoads();
    void largeDictionary();
};

void TestSynonymDict::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SynonymTable>("table");
    QTest::newRow("one entry") << "原词|替换词" << SynonymTable{{u"原词"_qs, u"替换词"_qs}};
    QTest::newRow("extra bar dropped") << "a|b|c" << SynonymTable{{u"a"_qs, u"b"_qs}};
    QTest::newRow("spaces belong to words") << " a|b " << SynonymTable{{u" a"_qs, u"b "_qs}};
    QTest::newRow("crlf at both ends ignored")
        << "\r\na|b\r\nc|d\r\n\r\n" << SynonymTable{{u"a"_qs, u"b"_qs}, {u"c"_qs, u"d"_qs}};
    QTest::newRow("blank line between is an empty word")
        << "a|b\r\n\r\nc|d"
        << SynonymTable{{u"a"_qs, u"b"_qs}, {QString(), QString()}, {u"c"_qs, u"d"_qs}};
    QTest::newRow("no bar deletes the word") << "abc\r\nx|y"
                                             << SynonymTable{{u"abc"_qs, QString()}, {u"x"_qs, u"y"_qs}};
    QTest::newRow("LF-only is one line")
        << "a|b\nc|d\n" << SynonymTable{{u"a"_qs, u"b\nc"_qs}};
    QTest::newRow("empty replacement") << "删|" << SynonymTable{{u"删"_qs, QString()}};
    QTest::newRow("empty file") << "" << SynonymTable{};
    QTest::newRow("only line breaks") << "\r\n\r\n\r\n" << SynonymTable{};
    QTest::newRow("lone CR stays in the word") << "a\r|b" << SynonymTable{{u"a\r"_qs, u"b"_qs}};
}

void TestSynonymDict::parse()
{
    QFETCH(QString, text);
    QFETCH(SynonymTable, table);
    QCOMPARE(SynonymDict::parse(text), table);
}

void TestSynonymDict::loadsFileAsGb18030()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("data/dict.dict"),
                      Codec::encodeAnsi(QStringLiteral("我们|咱们\r\n非常|十分\r\n"))));
    FakeMessages messages;
    const auto table = LoadSynonymDict(dir.path(), messages);
    QVERIFY(table.has_value());
    QCOMPARE(*table, (SynonymTable{{u"我们"_qs, u"咱们"_qs}, {u"非常"_qs, u"十分"_qs}}));
    QVERIFY(messages.shown.isEmpty());
}

void TestSynonymDict::missingFileTellsTheUser()
{
    TempProgramDir dir(TempProgramDir::Empty);
    FakeMessages messages;
    QVERIFY(!LoadSynonymDict(dir.path(), messages).has_value());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().icon, MessageIcon::Information);
    QCOMPARE(messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(messages.shown.first().text,
             QStringLiteral("词典文件损坏或丢失，请到官网下载完整安装包！"));
}

void TestSynonymDict::folderOrBadBytes()
{
    // A folder where the file should be exists but cannot be read as a file: that is "missing".
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(QDir().mkpath(dir.file(QStringLiteral("data/dict.dict"))));
    FakeMessages messages;
    QVERIFY(!LoadSynonymDict(dir.path(), messages).has_value());
    // An invalid byte sequence still loads.
    TempProgramDir dir2(TempProgramDir::Empty);
    QVERIFY(dir2.write(QStringLiteral("data/dict.dict"), QByteArray("a|\xFF\xFE\r\nb|c")));
    const auto table = LoadSynonymDict(dir2.path(), messages);
    QVERIFY(table.has_value());
    QCOMPARE(table->size(), 2);
    QCOMPARE(table->at(1), (SynonymPair{u"b"_qs, u"c"_qs}));
}

void TestSynonymDict::shippedDictionaryLoads()
{
    TempProgramDir dir;
    FakeMessages messages;
    const auto table = LoadSynonymDict(dir.path(), messages);
    QVERIFY(table.has_value());
    QVERIFY(table->size() >= 300);
    for (const SynonymPair &pair : *table) {
        QVERIFY(!pair.Word.isEmpty());
        QVERIFY(!pair.Replacement.isEmpty());
        QVERIFY(pair.Word != pair.Replacement);
    }
}

void TestSynonymDict::largeDictionary()
{
    // 200,000 entries, one of them with a 10,000-character word.
    QStringList lines;
    for (int i = 0; i < 200000; ++i)
        lines << QStringLiteral("词%1|替%1").arg(i);
    lines[123] = QString(10000, u'长') + QStringLiteral("|短");
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("data/dict.dict"), Codec::encodeAnsi(lines.join(u"\r\n"_qs))));
    FakeMessages messages;
    const auto table = LoadSynonymDict(dir.path(), messages);
    QVERIFY(table.has_value());
    QCOMPARE(table->size(), 200000);
    QCOMPARE(table->at(123).Word.size(), 10000);
    QCOMPARE(table->at(199999), (SynonymPair{u"词199999"_qs, u"替199999"_qs}));
}

QTEST_GUILESS_MAIN(TestSynonymDict)
#include "tst_synonym_dict.moc"
