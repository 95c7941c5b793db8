// WycProcess (shuffle, blank lines, trimming, synonyms), the keyword-link table and SeoProcess,
// and the two post-processing steps as collectors run them.
#include "fake_seams.h"
#include "rewriting/keyword_store.h"
#include "rewriting/rewrite_steps.h"
#include "rewriting/rewriting.h"
#include "rewriting/synonym_pass.h"
#include "temp_program_dir.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<KeywordLink>)

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString rewrite(const QString &text, SplitMode mode, const SynonymTable &table,
                std::initializer_list<double> draws, bool synonyms = true)
{
    ScriptedRandom random;
    random.script(draws);
    return WycProcess(text, mode, synonyms, SynonymPass(table), random).value_or(u"<unchanged>"_qs);
}

} // namespace

class TestRewriting : public QObject
{
    Q_OBJECT
private slots:
    void tooShortIsLeftAlone();
    void noneModeKeepsOrder();
    void paragraphMode();
    void spacesOnlyLineIsAParagraph();
    void sentenceMode();
    void sentenceModeCutsOnlyAtFullStop();
    void oneDrawPerPiece();
    void progressReported();
    void megabyteArticle();
    void keywordStore();
    void linkTemplate();
    void seoProcess_data();
    void seoProcess();
    void seoStepLogsAndSurvivesBrokenStore();
    void wycStepLogs();
};

void TestRewriting::tooShortIsLeftAlone()
{
    ScriptedRandom random;
    const SynonymPass pass(SynonymTable{{u"一"_qs, u"壹"_qs}});
    QVERIFY(!WycProcess(QStringLiteral("一二三四五六七八九"), SplitMode::Paragraph, true, pass, random));
    QCOMPARE(random.draws, 0);
    QCOMPARE(WycProcess(QStringLiteral("一二三四五六七八九十"), SplitMode::None, true, pass, random).value(),
             QStringLiteral("壹二三四五六七八九十"));
}

void TestRewriting::noneModeKeepsOrder()
{
    const QString text = CRLF + u"第一段文字很长"_qs + CRLF + CRLF + CRLF + u"第二段文字也长"_qs + CRLF;
    QCOMPARE(rewrite(text, SplitMode::None, {{u"文字"_qs, u"内容"_qs}}, {0.99}),
             u"第一段内容很长"_qs + CRLF + u"第二段内容也长"_qs);
}

void TestRewriting::paragraphMode()
{
    const QString text = u"P1 first paragraph"_qs + CRLF + CRLF + CRLF + u"P2 second"_qs;
    // Draws 0.99 then 0: position 0 swaps with 1, position 1 with 0 -> back in order.
    QCOMPARE(rewrite(text, SplitMode::Paragraph, {}, {0.99, 0.0}),
             u"P1 first paragraph"_qs + CRLF + u"P2 second"_qs);
    // Draws 0.99 then 0.99: position 0 swaps with 1, position 1 with itself -> reversed.
    QCOMPARE(rewrite(text, SplitMode::Paragraph, {}, {0.99, 0.99}),
             u"P2 second"_qs + CRLF + u"P1 first paragraph"_qs);
}

void TestRewriting::spacesOnlyLineIsAParagraph()
{
    const QString text = u"AAAAA"_qs + CRLF + u"  "_qs + CRLF + u"BBBBB"_qs;
    // Order 0,1,2 -> swap(0,2) then swap(1,1), swap(2,2): "BBBBB", "  ", "AAAAA".
    QCOMPARE(rewrite(text, SplitMode::Paragraph, {}, {0.99, 0.5, 0.99}),
             u"BBBBB"_qs + CRLF + u"  "_qs + CRLF + u"AAAAA"_qs);
}

void TestRewriting::sentenceMode()
{
    const QString text = QStringLiteral("第一句话。第二句话。第三句话。");
    // Four pieces, the last empty. swap(0,3): ["", 二, 三, 一]; the rest with themselves.
    QCOMPARE(rewrite(text, SplitMode::Sentence, {}, {0.99, 0.25, 0.5, 0.99}),
             QStringLiteral("第二句话。第三句话。第一句话"));
    // The empty piece in the middle doubles a full stop; none is left at either end.
    // swap(0,1): [二, 一, 三, ""]; swap(1,3): [二, "", 三, 一].
    QCOMPARE(rewrite(text, SplitMode::Sentence, {}, {0.25, 0.99, 0.5, 0.99}),
             QStringLiteral("第二句话。。第三句话。第一句话"));
}

void TestRewriting::sentenceModeCutsOnlyAtFullStop()
{
    const QString text = u"问题吗？是的！Yes. 好"_qs + CRLF + u"第二行。最后"_qs;
    // Two pieces, swapped.
    QCOMPARE(rewrite(text, SplitMode::Sentence, {}, {0.99, 0.99}),
             u"最后。问题吗？是的！Yes. 好"_qs + CRLF + u"第二行"_qs);
}

void TestRewriting::oneDrawPerPiece()
{
    ScriptedRandom random;
    const SynonymPass pass;
    WycProcess(QStringLiteral("a。b。c。d。e。f"), SplitMode::Sentence, false, pass, random);
    QCOMPARE(random.draws, 6);
    random.draws = 0;
    WycProcess(QStringLiteral("no delimiter at all"), SplitMode::None, false, pass, random);
    QCOMPARE(random.draws, 1);
}

void TestRewriting::progressReported()
{
    ScriptedRandom random;
    QList<int> maxima;
    QList<int> values;
    const RewriteProgress progress{[&](int m) { maxima << m; }, [&](int v) { values << v; }};
    const SynonymTable table{{u"x"_qs, u"y"_qs}, {u"a"_qs, u"b"_qs}};
    WycProcess(QStringLiteral("1。2。3。4。5。6。7。8。9。10"), SplitMode::Sentence, true,
               SynonymPass(table), random, progress);
    QCOMPARE(maxima, (QList<int>{9, 1}));
    QCOMPARE(values.first(), 0);
    QVERIFY(values.contains(4) && values.contains(8) && values.contains(9));
}

void TestRewriting::megabyteArticle()
{
    QString text;
    for (int i = 0; text.size() < 1024 * 1024; ++i)
        text += QStringLiteral("这是第%1段，我们非常喜欢这篇文章。").arg(i) + CRLF;
    const SynonymTable table{{u"我们"_qs, u"咱们"_qs}, {u"非常"_qs, u"十分"_qs}};
    ScriptedRandom random;
    const std::optional<QString> out = WycProcess(text, SplitMode::Paragraph, true,
                                                  SynonymPass(table), random);
    QVERIFY(out);
    QVERIFY(!out->contains(QStringLiteral("我们")));
    QCOMPARE(out->count(QStringLiteral("咱们十分")), text.count(QStringLiteral("我们非常")));
}

void TestRewriting::keywordStore()
{
    TempProgramDir dir;
    KeywordStore store(dir.path());
    QCOMPARE(store.rows()->size(), 0);
    QVERIFY(store.add(QStringLiteral("SEO"), QStringLiteral("http://a.test/seo")));
    QVERIFY(store.add(QStringLiteral("SEO"), QStringLiteral("http://")));
    const QList<KeywordLink> rows = *store.rows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.first().link, QStringLiteral("<a href=\"http://a.test/seo\" target=\"_blank\">SEO</a>"));
    QCOMPARE(store.rows(true)->first().id, rows.last().id);
    QVERIFY(store.remove(rows.first().id));
    QCOMPARE(store.rows()->size(), 1);

    TempProgramDir bare(TempProgramDir::Empty);
    KeywordStore broken(bare.path());
    QVERIFY(!broken.rows());
    QVERIFY(!broken.add(QStringLiteral("x"), QStringLiteral("y")));
    QVERIFY(!broken.errorText().isEmpty());
}

void TestRewriting::linkTemplate()
{
    // The address goes in after the keyword, so a keyword holding "链接" gets the address there.
    QCOMPARE(KeywordStore::buildLink(QStringLiteral("友情链接"), QStringLiteral("http://x.test")),
             QStringLiteral("<a href=\"http://x.test\" target=\"_blank\">友情http://x.test</a>"));
}

void TestRewriting::seoProcess_data()
{
    QTest::addColumn<QList<KeywordLink>>("rows"); // newest first
    QTest::addColumn<QString>("article");
    QTest::addColumn<QString>("result");
    const KeywordLink seo{1, u"SEO"_qs, u"<a href=\"u1\">SEO</a>"_qs};
    const KeywordLink seoYouhua{2, u"SEO优化"_qs, u"<a href=\"u2\">SEO优化</a>"_qs};
    QTest::newRow("newer first, then nested")
        << QList<KeywordLink>{seoYouhua, seo} << "学SEO优化"
        << "学<a href=\"u2\"><a href=\"u1\">SEO</a>优化</a>";
    QTest::newRow("inside an earlier link's address")
        << QList<KeywordLink>{{2, u"站"_qs, u"<a href=\"/站\">站</a>"_qs}, {1, u"a.test"_qs, u"A"_qs}}
        << "a.test的站" << "A的<a href=\"/站\">站</a>";
    QTest::newRow("no keyword") << QList<KeywordLink>{seo} << "没有关键词" << "没有关键词";
    QTest::newRow("empty table") << QList<KeywordLink>{} << "SEO" << "SEO";
    QTest::newRow("empty keyword or link skipped")
        << QList<KeywordLink>{{3, QString(), u"L"_qs}, {2, u"SEO"_qs, QString()}, seo} << "SEO"
        << "<a href=\"u1\">SEO</a>";
    QTest::newRow("case-sensitive") << QList<KeywordLink>{seo} << "seo" << "seo";
}

void TestRewriting::seoProcess()
{
    QFETCH(QList<KeywordLink>, rows);
    QFETCH(QString, article);
    QFETCH(QString, result);
    QCOMPARE(SeoProcess(article, rows), result);
}

void TestRewriting::seoStepLogsAndSurvivesBrokenStore()
{
    TempProgramDir dir;
    QVERIFY(KeywordStore(dir.path()).add(QStringLiteral("采集"), QStringLiteral("http://c.test")));
    QStringList log;
    const ArticleStep step = makeSeoStep(dir.path(), [&](const QString &m) { log << m; });
    QString article = QStringLiteral("文章采集");
    step(article);
    QCOMPARE(article, QStringLiteral("文章<a href=\"http://c.test\" target=\"_blank\">采集</a>"));
    QCOMPARE(log, QStringList{u"关键词优化处理中....关键词优化完成！"_qs});

    // A keyword store that cannot be opened: the article stays as it is and the failure is logged.
    QVERIFY(dir.write(QStringLiteral("data/Keywords.db"), QByteArray(2048, 'j')));
    article = QStringLiteral("文章采集");
    step(article);
    QCOMPARE(article, QStringLiteral("文章采集"));
    QCOMPARE(log.size(), 2);
    QVERIFY(log.last().startsWith(QStringLiteral("关键词优化失败")));
}

void TestRewriting::wycStepLogs()
{
    const SynonymPass pass(SynonymTable{{u"我们"_qs, u"咱们"_qs}});
    ScriptedRandom random;
    QStringList log;
    const ArticleStep step = makeWycStep(pass, random, [] { return SplitMode::None; },
                                         [&](const QString &m) { log << m; });
    QString shortText = QStringLiteral("我们九个字的短文章");
    step(shortText);
    QCOMPARE(shortText, QStringLiteral("我们九个字的短文章"));
    QVERIFY(log.isEmpty());
    QString text = QStringLiteral("我们十个字的一篇文章");
    step(text);
    QCOMPARE(text, QStringLiteral("咱们十个字的一篇文章"));
    QCOMPARE(log, QStringList{u"文章伪原创处理完成！"_qs});
}

QTEST_GUILESS_MAIN(TestRewriting)
#include "tst_rewriting.moc"
