// The article store: saving, the unique save, listing, reading, rewriting, deleting, and failures
// that must leave the store usable.
#include "articles/article_store.h"
#include "temp_program_dir.h"

#include <QSqlDatabase>
#include <QtTest>

class TestArticleStore : public QObject
{
    Q_OBJECT
private slots:
    void saveTwiceStoresTwoRows();
    void valuesStoredUnchanged_data();
    void valuesStoredUnchanged();
    void uniqueSaveIgnoresLatinCase();
    void readRewriteDelete();
    void newestFirstAndCount();
    void idText();
    void missingFolderFails();
    void junkFileFails();
    void failureLeavesNothingBehind();
    void replacedFileIsFollowed();
};

void TestArticleStore::saveTwiceStoresTwoRows()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral("一")));
    QVERIFY(store.SaveArticle(QStringLiteral("同题"), QStringLiteral("二")));
    bool ok = false;
    const auto rows = store.list(&ok);
    QVERIFY(ok);
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows.at(0).first != rows.at(1).first);
    QVERIFY(rows.at(0).first < rows.at(1).first); // insertion order
    QCOMPARE(rows.at(1).second, QStringLiteral("同题"));
    QVERIFY(QFile::exists(dir.file(QStringLiteral("data/Article.db"))));
}

void TestArticleStore::valuesStoredUnchanged_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::newRow("quotes") << "It's \"quoted\"" << "'; DROP TABLE 文章列表; --";
    QTest::newRow("nul characters") << QString(u"a\0b"_qs) << QString(u"x\0\0y"_qs);
    QTest::newRow("empty content") << "title" << "";
    QTest::newRow("emoji and crlf") << "😀 标题" << "第一段\r\n第二段";
    QTest::newRow("1 MB") << QString(1000, u'题') << QString(1024 * 1024, u'文');
}

void TestArticleStore::valuesStoredUnchanged()
{
    QFETCH(QString, title);
    QFETCH(QString, content);
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(title, content));
    const auto rows = store.list();
    QCOMPARE(rows.size(), 1);
    const std::optional<Article> a = store.read(rows.first().first);
    QVERIFY(a);
    QCOMPARE(a->title, title);
    QCOMPARE(a->content, content);
    QVERIFY(!a->content.isNull());
}

void TestArticleStore::uniqueSaveIgnoresLatinCase()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    using R = ArticleStore::UniqueResult;
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("Hello 'World'"), QStringLiteral("a")), R::Stored);
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("HELLO 'world'"), QStringLiteral("b")),
             R::Duplicate);
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("Hello 'World' 2"), QStringLiteral("c")),
             R::Stored);
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("中文标题"), QStringLiteral("d")), R::Stored);
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("中文标题"), QStringLiteral("e")), R::Duplicate);
    QCOMPARE(store.count(), 3);
}

void TestArticleStore::readRewriteDelete()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("a"), QStringLiteral("1")));
    QVERIFY(store.SaveArticle(QStringLiteral("b"), QStringLiteral("2")));
    const auto rows = store.list();
    const qint64 first = rows.at(0).first;
    QVERIFY(store.rewrite(first, QStringLiteral("a2"), QStringLiteral("1b")));
    QCOMPARE(store.read(first)->title, QStringLiteral("a2"));
    QCOMPARE(store.read(first)->content, QStringLiteral("1b"));
    QVERIFY(store.remove(first));
    QVERIFY(!store.read(first));
    QVERIFY(store.remove(first)); // already gone: nothing to do, no failure
    QVERIFY(!store.rewrite(first, QStringLiteral("x"), QStringLiteral("y")));
    QCOMPARE(store.count(), 1);
    QVERIFY(store.removeAll());
    QCOMPARE(store.count(), 0);
    QVERIFY(store.list().isEmpty());
}

void TestArticleStore::newestFirstAndCount()
{
    TempProgramDir dir;
    ArticleStore store(dir.path());
    for (int i = 0; i < 5; ++i)
        QVERIFY(store.SaveArticle(QString::number(i), QStringLiteral("c")));
    const QList<qint64> ids = store.idsNewestFirst();
    QCOMPARE(ids.size(), 5);
    QCOMPARE(store.read(ids.first())->title, QStringLiteral("4"));
    QCOMPARE(store.read(ids.last())->title, QStringLiteral("0"));
    QCOMPARE(store.count(), 5);
}

void TestArticleStore::idText()
{
    QCOMPARE(ArticleStore::idText(12), QStringLiteral(" 12"));
    QCOMPARE(ArticleStore::idText(0), QStringLiteral(" 0"));
    QCOMPARE(ArticleStore::idText(-3), QStringLiteral("-3"));
}

void TestArticleStore::missingFolderFails()
{
    TempProgramDir dir(TempProgramDir::Empty); // no data folder
    ArticleStore store(dir.path());
    QVERIFY(!store.SaveArticle(QStringLiteral("t"), QStringLiteral("c")));
    QVERIFY(!store.errorText().isEmpty());
    bool ok = true;
    QVERIFY(store.list(&ok).isEmpty());
    QVERIFY(!ok);
    QCOMPARE(store.count(), -1);
    QCOMPARE(store.SaveUniqueArticle(QStringLiteral("t"), QStringLiteral("c")),
             ArticleStore::UniqueResult::Failed);
    QVERIFY(!QFile::exists(dir.file(QStringLiteral("data"))));
}

void TestArticleStore::junkFileFails()
{
    TempProgramDir dir;
    QVERIFY(dir.write(QStringLiteral("data/Article.db"), QByteArray(4096, 'j')));
    ArticleStore store(dir.path());
    QVERIFY(!store.SaveArticle(QStringLiteral("t"), QStringLiteral("c")));
    QVERIFY(!store.errorText().isEmpty());
    QCOMPARE(dir.read(QStringLiteral("data/Article.db")), QByteArray(4096, 'j'));
}

void TestArticleStore::failureLeavesNothingBehind()
{
    // After a failed operation the next one works normally: no connection or transaction is left.
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("kept"), QStringLiteral("c")));
    QVERIFY(QFile::rename(dir.file(QStringLiteral("data")), dir.file(QStringLiteral("moved"))));
    QVERIFY(!store.SaveArticle(QStringLiteral("lost"), QStringLiteral("c")));
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList()); // given up after the failure
    QVERIFY(QFile::rename(dir.file(QStringLiteral("moved")), dir.file(QStringLiteral("data"))));
    QVERIFY(store.SaveArticle(QStringLiteral("after"), QStringLiteral("c")));
    const auto rows = store.list();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).second, QStringLiteral("kept"));
    QCOMPARE(rows.at(1).second, QStringLiteral("after"));
}

void TestArticleStore::replacedFileIsFollowed()
{
    // A store object that keeps its connection notices that the file was replaced.
    TempProgramDir dir;
    ArticleStore store(dir.path());
    QVERIFY(store.SaveArticle(QStringLiteral("old file"), QStringLiteral("c")));
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(store.path() + QString::fromLatin1(suffix));
    QVERIFY(store.SaveArticle(QStringLiteral("new file"), QStringLiteral("c")));
    QCOMPARE(ArticleStore(dir.path()).list().size(), 1);
    QCOMPARE(ArticleStore(dir.path()).list().first().second, QStringLiteral("new file"));
}

QTEST_GUILESS_MAIN(TestArticleStore)
#include "tst_article_store.moc"
