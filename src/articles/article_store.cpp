// The article store.
#include "articles/article_store.h"

#include "common/sqlite_connection.h"
#include "common/program_dir.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The index holds id and title only, so that the list of a large store is read without
// touching the contents.
const QStringList createTable = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS 文章列表 (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "标题 TEXT, 内容 TEXT)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS 文章列表_标题 ON 文章列表 (ID, 标题)")};

// A bound text value; a null QString would be stored as NULL, the empty text as ''.
QVariant text(const QString &s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

} // namespace

ArticleStore::ArticleStore(const QString &programDir)
    : m_path(ProgramDir::file(programDir, QStringLiteral("data/Article.db")))
{
}

QString ArticleStore::idText(qint64 id)
{
    return id >= 0 ? QStringLiteral(" ") + QString::number(id) : QString::number(id);
}

bool ArticleStore::SaveArticle(const QString &title, const QString &content)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("INSERT INTO 文章列表 (标题, 内容) VALUES (?, ?)"));
    q.addBindValue(text(title));
    q.addBindValue(text(content));
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

ArticleStore::UniqueResult ArticleStore::SaveUniqueArticle(const QString &title,
                                                           const QString &content)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return UniqueResult::Failed;
    }
    QSqlDatabase &db = c.db();
    if (!db.transaction()) {
        m_error = db.lastError().text();
        return UniqueResult::Failed;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM 文章列表 WHERE 标题 = ? COLLATE NOCASE LIMIT 1"));
    q.addBindValue(text(title));
    if (!q.exec()) {
        m_error = q.lastError().text();
        db.rollback();
        return UniqueResult::Failed;
    }
    if (q.next()) {
        q.finish();
        db.rollback();
        return UniqueResult::Duplicate;
    }
    q.finish();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO 文章列表 (标题, 内容) VALUES (?, ?)"));
    insert.addBindValue(text(title));
    insert.addBindValue(text(content));
    if (!insert.exec() || !db.commit()) {
        m_error = insert.lastError().isValid() ? insert.lastError().text() : db.lastError().text();
        db.rollback();
        return UniqueResult::Failed;
    }
    return UniqueResult::Stored;
}

QList<QPair<qint64, QString>> ArticleStore::list(bool *ok)
{
    QList<QPair<qint64, QString>> rows;
    if (ok)
        *ok = false;
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return rows;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, 标题 FROM 文章列表 ORDER BY ID"))) {
        m_error = q.lastError().text();
        return rows;
    }
    while (q.next())
        rows.append({q.value(0).toLongLong(), q.value(1).toString()});
    if (ok)
        *ok = true;
    return rows;
}

QList<qint64> ArticleStore::idsNewestFirst(bool *ok)
{
    return ids(QStringLiteral("SELECT ID FROM 文章列表 INDEXED BY 文章列表_标题 ORDER BY ID DESC"), ok);
}

QList<qint64> ArticleStore::idsOldestFirst(bool *ok)
{
    return ids(QStringLiteral("SELECT ID FROM 文章列表 INDEXED BY 文章列表_标题 ORDER BY ID"), ok);
}

QHash<qint64, QString> ArticleStore::titlesBetween(qint64 first, qint64 last)
{
    QHash<qint64, QString> titles;
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return titles;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT ID, 标题 FROM 文章列表 INDEXED BY 文章列表_标题 WHERE ID BETWEEN ? AND ?"));
    q.addBindValue(qMin(first, last));
    q.addBindValue(qMax(first, last));
    if (!q.exec()) {
        m_error = q.lastError().text();
        return titles;
    }
    while (q.next())
        titles.insert(q.value(0).toLongLong(), q.value(1).toString());
    return titles;
}

bool ArticleStore::forEachNewestFirst(const std::function<bool(const Article &)> &visit)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, 标题, 内容 FROM 文章列表 ORDER BY ID DESC"))) {
        m_error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        if (!visit(Article{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()}))
            break;
    }
    return true;
}

QList<qint64> ArticleStore::ids(const QString &sql, bool *ok)
{
    QList<qint64> ids;
    if (ok)
        *ok = false;
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return ids;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        m_error = q.lastError().text();
        return ids;
    }
    while (q.next())
        ids.append(q.value(0).toLongLong());
    if (ok)
        *ok = true;
    return ids;
}

std::optional<Article> ArticleStore::read(qint64 id)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("SELECT ID, 标题, 内容 FROM 文章列表 WHERE ID = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return Article{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()};
}

bool ArticleStore::rewrite(qint64 id, const QString &title, const QString &content)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("UPDATE 文章列表 SET 标题 = ?, 内容 = ? WHERE ID = ?"));
    q.addBindValue(text(title));
    q.addBindValue(text(content));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return q.numRowsAffected() > 0;
}

bool ArticleStore::remove(qint64 id)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("DELETE FROM 文章列表 WHERE ID = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

bool ArticleStore::removeAll()
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("DELETE FROM 文章列表"))) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

qint64 ArticleStore::count()
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return -1;
    }
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM 文章列表 INDEXED BY 文章列表_标题")) || !q.next()) {
        m_error = q.lastError().text();
        return -1;
    }
    return q.value(0).toLongLong();
}
