// The article store data/Article.db, table 文章列表 (ID, 标题, 内容). Every write is committed
// (durably) before the call returns and no transaction outlives a call; a store object keeps its
// connection between calls while the file stays the same, and gives it up after any failure.
// Values are always bound.
#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class SqliteConnection;

struct Article
{
    qint64 ID = 0;
    QString title;
    QString content;
};

class ArticleStore
{
public:
    explicit ArticleStore(const QString &programDir);
    ~ArticleStore();
    ArticleStore(const ArticleStore &) = delete;
    ArticleStore &operator=(const ArticleStore &) = delete;

    QString path() const { return m_path; }
    // The last failure's description.
    QString errorText() const { return m_error; }

    // Appends one article. False (with errorText) when it could not be stored.
    bool SaveArticle(const QString &title, const QString &content);

    enum class UniqueResult { Stored, Duplicate, Failed };
    // Appends the article unless one with the same title exists (Latin letters compared without
    // regard to case).
    UniqueResult SaveUniqueArticle(const QString &title, const QString &content);

    // Id and title of every article, in insertion order; nothing on failure (ok says which).
    QList<QPair<qint64, QString>> list(bool *ok = nullptr);
    // Ids of every article, newest first: the export's cursor.
    QList<qint64> idsNewestFirst(bool *ok = nullptr);
    // Ids of every article in insertion order: the manager's list.
    QList<qint64> idsOldestFirst(bool *ok = nullptr);
    // Titles of the articles with ids from first to last (null titles as empty text).
    QHash<qint64, QString> titlesBetween(qint64 first, qint64 last);
    // Every article, newest first, read in one pass; visit returns false to stop. False when the
    // store could not be read.
    bool forEachNewestFirst(const std::function<bool(const Article &)> &visit);
    std::optional<Article> read(qint64 id);
    // Rewrites the title and content of one article; false when it failed or no such row exists.
    bool rewrite(qint64 id, const QString &title, const QString &content);
    // Deletes one article; true also when no such row exists.
    bool remove(qint64 id);
    bool removeAll();
    // Number of articles, -1 on failure.
    qint64 count();

    // The id as the lists show it: a blank before a non-negative number (" 12").
    static QString idText(qint64 id);

private:
    QList<qint64> ids(const QString &sql, bool *ok);
    SqliteConnection *open();
    void drop();

    std::unique_ptr<SqliteConnection> m_connection;
    QByteArray m_identity;
    QString m_path;
    QString m_error;
};
