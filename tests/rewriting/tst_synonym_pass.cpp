// The fast synonym pass gives exactly the entry-by-entry result: fixed cases from the rules of
// the pass, then thousands of generated dictionaries and texts compared with the definition.
#include "common/random.h"
#include "rewriting/synonym_pass.h"

#include <QtTest>

Q_DECLARE_METATYPE(SynonymTable)

namespace {

SynonymTable table(std::initializer_list<std::pair<const char16_t *, const char16_t *>> pairs)
{
    SynonymTable t;
    for (const auto &[w, r] : pairs)
        t.append({QString::fromUtf16(w), QString::fromUtf16(r)});
    return t;
}

} // namespace

class TestSynonymPass : public QObject
{
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void acrossBlocks();
    void randomizedDifferential();
    void longWordsAndTexts();
    void progressIsIncreasing();
};

void TestSynonymPass::rules_data()
{
    QTest::addColumn<SynonymTable>("dict");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("chain a->b->c") << table({{u"a", u"b"}, {u"b", u"c"}}) << "xaby" << "xccy";
    QTest::newRow("reverse order stays b") << table({{u"b", u"c"}, {u"a", u"b"}}) << "xaby" << "xbcy";
    QTest::newRow("replacement holds its word") << table({{u"a", u"aa"}}) << "aba" << "aabaa";
    QTest::newRow("empty word changes nothing") << table({{u"", u"x"}}) << "abc" << "abc";
    QTest::newRow("empty replacement deletes") << table({{u"的", u""}}) << "我的书的" << "我书";
    QTest::newRow("no overlaps, left to right") << table({{u"aa", u"b"}}) << "aaaaa" << "bba";
    QTest::newRow("prefix words in order") << table({{u"中国", u"华夏"}, {u"中", u"內"}})
                                           << "中国中" << "华夏內";
    QTest::newRow("longer word later") << table({{u"中", u"內"}, {u"中国", u"华夏"}})
                                       << "中国中" << "內国內";
    QTest::newRow("new occurrence across a join") << table({{u"x", u""}, {u"ab", u"Z"}})
                                                  << "axb" << "Z";
    QTest::newRow("case-sensitive") << table({{u"SEO", u"seo"}}) << "seo SEO" << "seo seo";
    QTest::newRow("duplicate words, first wins") << table({{u"好", u"佳"}, {u"好", u"优"}})
                                                 << "好好" << "佳佳";
    QTest::newRow("identity entry") << table({{u"同", u"同"}, {u"同", u"异"}}) << "同" << "异";
    QTest::newRow("surrogates") << table({{u"😀", u"笑"}}) << "a😀b" << "a笑b";
    QTest::newRow("empty text") << table({{u"a", u"b"}}) << "" << "";
    QTest::newRow("empty table") << SynonymTable{} << "abc" << "abc";
}

void TestSynonymPass::rules()
{
    QFETCH(SynonymTable, dict);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(SynonymPass::applyStraightforward(dict, text), result);
    QCOMPARE(SynonymPass(dict).apply(text), result);
}

void TestSynonymPass::acrossBlocks()
{
    // Occurrences that straddle the pass's internal blocks, and replacements that join text.
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("甲乙丙丁ab");
    const SynonymTable dict = table({{u"丁a", u"X"}, {u"b甲", u""}, {u"X乙", u"Y"}, {u"Yb", u"丁"},
                                     {u"丙丁", u"丙丁丙丁"}, {u"甲乙丙", u"Q"}});
    QCOMPARE(SynonymPass(dict).apply(text), SynonymPass::applyStraightforward(dict, text));
}

void TestSynonymPass::randomizedDifferential()
{
    SeededRandom random(424242);
    const auto pick = [&random](int n) { return int(random.next() * n); };
    const QStringList alphabets{QStringLiteral("ab"), QStringLiteral("abc"),
                                QStringLiteral("天地人和"), QStringLiteral("aA中b"),
                                QStringLiteral("xy\r\n。")};
    const auto word = [&](const QString &alphabet, int maxLength) {
        QString w;
        const int length = pick(maxLength + 1);
        for (int i = 0; i < length; ++i)
            w += alphabet.at(pick(int(alphabet.size())));
        return w;
    };
    for (int round = 0; round < 4000; ++round) {
        const QString alphabet = alphabets.at(pick(int(alphabets.size())));
        const int entries = 1 + pick(12);
        const int maxWord = 1 + pick(4);
        SynonymTable dict;
        for (int i = 0; i < entries; ++i) {
            SynonymPair pair{word(alphabet, maxWord), word(alphabet, 1 + pick(5))};
            switch (pick(8)) {
            case 0: // replacement holding its own word
                pair.Replacement = pair.Word + pair.Replacement;
                break;
            case 1: // chained on an earlier entry
                if (!dict.isEmpty())
                    pair.Word = dict.at(pick(int(dict.size()))).Replacement;
                break;
            case 2: // a prefix of an earlier word
                if (!dict.isEmpty())
                    pair.Word = dict.at(pick(int(dict.size()))).Word.left(1 + pick(2));
                break;
            case 3:
                pair.Replacement.clear();
                break;
            default:
                break;
            }
            dict.append(pair);
        }
        // Short texts, and long ones that cross the internal blocks.
        const QString text = word(alphabet, pick(4) == 0 ? 700 : 40);
        const QString expected = SynonymPass::applyStraightforward(dict, text);
        const QString actual = SynonymPass(dict).apply(text);
        if (actual != expected) {
            QString description;
            for (const SynonymPair &p : dict)
                description += u'[' + p.Word + u'|' + p.Replacement + u']';
            QFAIL(qPrintable(QStringLiteral("round %1, text \"%2\", dictionary %3: got \"%4\", want \"%5\"")
                                 .arg(round)
                                 .arg(text, description, actual, expected)));
        }
    }
}

void TestSynonymPass::longWordsAndTexts()
{
    const QString longWord(10000, u'长');
    const SynonymTable dict = table({{u"长长", u"短"}}) << SynonymPair{longWord, QStringLiteral("L")}
                                                       << SynonymPair{QStringLiteral("短L"), QStringLiteral("!")};
    const QString text = QStringLiteral("前") + QString(20001, u'长') + QStringLiteral("后");
    QCOMPARE(SynonymPass(dict).apply(text), SynonymPass::applyStraightforward(dict, text));
    const SynonymTable dict2 = SynonymTable{{longWord, QStringLiteral("L")}, {u"L长"_qs, u"M"_qs}};
    QCOMPARE(SynonymPass(dict2).apply(text), SynonymPass::applyStraightforward(dict2, text));

    // A long article with a realistic dictionary.
    SynonymTable big;
    const QString chars = QStringLiteral("的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处理府研质");
    for (int i = 0; i < 3000; ++i) {
        const QString w = chars.mid(int(i * 7919) % (chars.size() - 4), 2 + i % 3);
        big.append({w, chars.mid(int(i * 104729) % (chars.size() - 4), 2 + i % 2)});
    }
    QString article;
    while (article.size() < 64 * 1024)
        article += chars;
    QCOMPARE(SynonymPass(big).apply(article), SynonymPass::applyStraightforward(big, article));
}

void TestSynonymPass::progressIsIncreasing()
{
    SynonymTable dict;
    for (int i = 0; i < 100; ++i)
        dict.append({QString::number(i), QStringLiteral("x")});
    QList<int> seen;
    SynonymPass(dict).apply(QStringLiteral("5 17 63 99"), [&](int k) { seen << k; });
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.last(), 99);
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
}

QTEST_GUILESS_MAIN(TestSynonymPass)
#include "tst_synonym_pass.moc"
