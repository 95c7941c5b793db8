// Export file names and bytes, writing files, and the lazily read article list.
#include "articles/article_export.h"
#include "articles/article_list_model.h"
#include "articles/article_store.h"
#include "common/codec.h"
#include "temp_program_dir.h"

#include <QtTest>

class TestArticleExport : public QObject
{
    Q_OBJECT
private slots:
    void fileName_data();
    void fileName();
    void fileBytes();
    void writeReplacesAndFails();
    void listModelReadsLazily();
    void listModelSurvivesStoreChanges();
};

void TestArticleExport::fileName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name"); // empty: no file
    QTest::newRow("plain") << "  新闻标题 " << "新闻标题.txt";
    QTest::newRow("empty") << "" << ".txt";
    QTest::newRow("null") << QString() << ".txt";
    QTest::newRow("emoji and quotes'") << "标题😀'x'" << "标题😀'x'.txt";
    QTest::newRow("300 characters") << QString(300, u'长') << QString(QString(300, u'长') + u".txt"_qs);
    QTest::newRow("slash") << "a/b" << "";
    QTest::newRow("backslash") << "a\\b" << "";
    QTest::newRow("question") << "为什么?" << "";
    QTest::newRow("double quote") << "say \"hi\"" << "";
    QTest::newRow("colon star pipe") << "a:b" << "";
    QTest::newRow("newline") << "two\nlines" << "";
    QTest::newRow("dot") << "." << "";
    QTest::newRow("dot dot") << " .. " << "";
    QTest::newRow("three dots") << "..." << "....txt";
}

void TestArticleExport::fileName()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(ArticleExport::fileName(title).value_or(QString()), name);
}

void TestArticleExport::fileBytes()
{
    QCOMPARE(ArticleExport::fileBytes(QStringLiteral("  <p>他说\"好\"</p>\r\n ")),
             Codec::encodeAnsi(u"\"<p>他说\"好\"</p>\r\n\"\r\n"_qs));
    QCOMPARE(ArticleExport::fileBytes(QString()), QByteArray("\"\"\r\n"));
}

void TestArticleExport::writeReplacesAndFails()
{
    TempProgramDir dir(TempProgramDir::Empty);
    using R = ArticleExport::Result;
    QCOMPARE(ArticleExport::write(dir.path(), QStringLiteral("同名"), QStringLiteral("新")), R::Written);
    QCOMPARE(ArticleExport::write(dir.path(), QStringLiteral("同名"), QStringLiteral("旧")), R::Written);
    QCOMPARE(dir.read(QStringLiteral("同名.txt")), Codec::encodeAnsi(u"\"旧\"\r\n"_qs));
    QCOMPARE(ArticleExport::write(dir.path(), QStringLiteral("../逃出"), QStringLiteral("x")), R::Skipped);
    QVERIFY(!QFile::exists(dir.file(QStringLiteral("../逃出.txt"))));
    QString error;
    QCOMPARE(ArticleExport::write(dir.file(QStringLiteral("missing")), QStringLiteral("t"),
                                  QStringLiteral("x"), &error),
             R::Failed);
    QVERIFY(!error.isEmpty());
    // A name longer than a file name may be.
    QCOMPARE(ArticleExport::write(dir.path(), QString(300, u'长'), QStringLiteral("x")), R::Failed);
    QCOMPARE(ArticleExport::write(dir.path(), QStringLiteral("大"), QString(3 * 1024 * 1024, u'文')),
             R::Written);
    QCOMPARE(QFileInfo(dir.file(QStringLiteral("大.txt"))).size(), 3 * 2 * 1024 * 1024 + 4);
}

void TestArticleExport::listModelReadsLazily()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    const int n = ArticleListModel::PageSize * 2 + 10;
    for (int i = 0; i < n; ++i)
        QVERIFY(store.SaveArticle(QStringLiteral("标题%1").arg(i), QStringLiteral("c")));
    ArticleListModel model(dir.path());
    QVERIFY(model.reload());
    QCOMPARE(model.rowCount(), n);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("ID"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("标题"));
    QCOMPARE(model.data(model.index(0, 0)).toString(), ArticleStore::idText(store.list().first().first));
    QCOMPARE(model.data(model.index(n - 1, 1)).toString(), QStringLiteral("标题%1").arg(n - 1));
    QCOMPARE(model.data(model.index(ArticleListModel::PageSize, 1)).toString(),
             QStringLiteral("标题%1").arg(ArticleListModel::PageSize));
}

void TestArticleExport::listModelSurvivesStoreChanges()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("一"), QStringLiteral("c")));
    QVERIFY(store.SaveArticle(QStringLiteral("二"), QStringLiteral("c")));
    ArticleListModel model(dir.path());
    QVERIFY(model.reload());
    // Rows deleted by another window show no title until the next load; nothing breaks.
    QVERIFY(store.remove(model.idAt(0)));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString());
    QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("二"));
    // The store replaced by a file that is no database: the list ends empty and says why.
    QVERIFY(QFile::remove(store.path()));
    QFile::remove(store.path() + QStringLiteral("-wal"));
    QFile::remove(store.path() + QStringLiteral("-shm"));
    QVERIFY(dir.write(QStringLiteral("data/Article.db"), QByteArray(1024, 'x')));
    QVERIFY(!model.reload());
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.errorText().isEmpty());
}

QTEST_GUILESS_MAIN(TestArticleExport)
#include "tst_article_export.moc"
