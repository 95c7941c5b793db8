// The article store.
#include "articles/article_store.h"

#include "common/sqlite_connection.h"
#include "common/program_dir.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sys/stat.h>

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

ArticleStore::~ArticleStore() = default;

namespace {

// The identity of the file at path: device and inode, empty when there is none.
QByteArray fileIdentity(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QByteArray();
    return QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
}

} // namespace

SqliteConnection *ArticleStore::open()
{
    // A connection is kept between the calls made on one store object, so that a run storing
    // article after article pays one sync per article rather than three. It is given up when
    // the file at the path is no longer the one it opened (moved, deleted, replaced), and after
    // any failure.
    if (m_connection && fileIdentity(m_path) == m_identity)
        return m_connection.get();
    m_connection.reset();
    auto connection = std::make_unique<SqliteConnection>(m_path, createTable);
    if (!connection->isOpen()) {
        m_error = connection->errorText();
        return nullptr;
    }
    m_identity = fileIdentity(m_path);
    m_connection = std::move(connection);
    return m_connection.get();
}

void ArticleStore::drop()
{
    m_connection.reset();
}

QString ArticleStore::idText(qint64 id)
{
    return id >= 0 ? QStringLiteral(" ") + QString::number(id) : QString::number(id);
}

bool ArticleStore::SaveArticle(const QString &title, const QString &content)
{
    SqliteConnection *c = open();
    if (!c) {
        return false;
    }
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("INSERT INTO 文章列表 (标题, 内容) VALUES (?, ?)"));
    q.addBindValue(text(title));
    q.addBindValue(text(content));
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
        return false;
    }
    return true;
}

ArticleStore::UniqueResult ArticleStore::SaveUniqueArticle(const QString &title,
                                                           const QString &content)
{
    SqliteConnection *c = open();
    if (!c) {
        return UniqueResult::Failed;
    }
    QSqlDatabase &db = c->db();
    if (!db.transaction()) {
        m_error = db.lastError().text();
        drop();
        return UniqueResult::Failed;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM 文章列表 WHERE 标题 = ? COLLATE NOCASE LIMIT 1"));
    q.addBindValue(text(title));
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
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
        drop();
        return UniqueResult::Failed;
    }
    return UniqueResult::Stored;
}

QList<QPair<qint64, QString>> ArticleStore::list(bool *ok)
{
    QList<QPair<qint64, QString>> rows;
    if (ok)
        *ok = false;
    SqliteConnection *c = open();
    if (!c) {
        return rows;
    }
    QSqlQuery q(c->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, 标题 FROM 文章列表 ORDER BY ID"))) {
        m_error = q.lastError().text();
        drop();
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
    SqliteConnection *c = open();
    if (!c) {
        return titles;
    }
    QSqlQuery q(c->db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT ID, 标题 FROM 文章列表 INDEXED BY 文章列表_标题 WHERE ID BETWEEN ? AND ?"));
    q.addBindValue(qMin(first, last));
    q.addBindValue(qMax(first, last));
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
        return titles;
    }
    while (q.next())
        titles.insert(q.value(0).toLongLong(), q.value(1).toString());
    return titles;
}

bool ArticleStore::forEachNewestFirst(const std::function<bool(const Article &)> &visit)
{
    SqliteConnection *c = open();
    if (!c) {
        return false;
    }
    QSqlQuery q(c->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, 标题, 内容 FROM 文章列表 ORDER BY ID DESC"))) {
        m_error = q.lastError().text();
        drop();
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
    SqliteConnection *c = open();
    if (!c) {
        return ids;
    }
    QSqlQuery q(c->db());
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        m_error = q.lastError().text();
        drop();
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
    SqliteConnection *c = open();
    if (!c) {
        return std::nullopt;
    }
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("SELECT ID, 标题, 内容 FROM 文章列表 WHERE ID = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return Article{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()};
}

bool ArticleStore::rewrite(qint64 id, const QString &title, const QString &content)
{
    SqliteConnection *c = open();
    if (!c) {
        return false;
    }
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("UPDATE 文章列表 SET 标题 = ?, 内容 = ? WHERE ID = ?"));
    q.addBindValue(text(title));
    q.addBindValue(text(content));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
        return false;
    }
    return q.numRowsAffected() > 0;
}

bool ArticleStore::remove(qint64 id)
{
    SqliteConnection *c = open();
    if (!c) {
        return false;
    }
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("DELETE FROM 文章列表 WHERE ID = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        drop();
        return false;
    }
    return true;
}

bool ArticleStore::removeAll()
{
    SqliteConnection *c = open();
    if (!c) {
        return false;
    }
    QSqlQuery q(c->db());
    if (!q.exec(QStringLiteral("DELETE FROM 文章列表"))) {
        m_error = q.lastError().text();
        drop();
        return false;
    }
    return true;
}

qint64 ArticleStore::count()
{
    SqliteConnection *c = open();
    if (!c) {
        return -1;
    }
    QSqlQuery q(c->db());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM 文章列表 INDEXED BY 文章列表_标题")) || !q.next()) {
        m_error = q.lastError().text();
        drop();
        return -1;
    }
    return q.value(0).toLongLong();
}
