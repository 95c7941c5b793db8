// The keyword-link table and the keyword-link step.
#include "rewriting/keyword_store.h"

#include "common/sqlite_connection.h"
#include "common/program_dir.h"
#include "rewriting/synonym_pass.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QStringList createTable = {QStringLiteral(
    "CREATE TABLE IF NOT EXISTS 关键词替换 (id INTEGER PRIMARY KEY AUTOINCREMENT, 关键词 TEXT, 链接 TEXT)")};

} // namespace

KeywordStore::KeywordStore(const QString &programDir)
    : m_path(ProgramDir::file(programDir, QStringLiteral("data/Keywords.db")))
{
}

QString KeywordStore::linkTemplate()
{
    return QStringLiteral("<a href=\"链接\" target=\"_blank\">关键词</a>");
}

QString KeywordStore::buildLink(const QString &keyword, const QString &url)
{
    QString link = linkTemplate();
    link.replace(QStringLiteral("关键词"), keyword);
    link.replace(QStringLiteral("链接"), url);
    return link;
}

std::optional<QList<KeywordLink>> KeywordStore::rows(bool newestFirst)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.exec(newestFirst ? QStringLiteral("SELECT id, 关键词, 链接 FROM 关键词替换 ORDER BY id DESC")
                            : QStringLiteral("SELECT id, 关键词, 链接 FROM 关键词替换 ORDER BY id"))) {
        m_error = q.lastError().text();
        return std::nullopt;
    }
    QList<KeywordLink> out;
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    return out;
}

bool KeywordStore::add(const QString &keyword, const QString &url)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("INSERT INTO 关键词替换 (关键词, 链接) VALUES (?, ?)"));
    q.addBindValue(keyword.isNull() ? QStringLiteral("") : keyword);
    q.addBindValue(buildLink(keyword, url));
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

bool KeywordStore::remove(qint64 id)
{
    SqliteConnection c(m_path, createTable);
    if (!c.isOpen()) {
        m_error = c.errorText();
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("DELETE FROM 关键词替换 WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

QString SeoProcess(const QString &article, const QList<KeywordLink> &newestFirst)
{
    // The same table-ordered replacement as the synonym pass: one row after another, each over
    // the text the rows before it produced.
    SynonymTable table;
    table.reserve(newestFirst.size());
    for (const KeywordLink &row : newestFirst) {
        if (!row.keyword.isEmpty() && !row.link.isEmpty())
            table.append({row.keyword, row.link});
    }
    return SynonymPass(table).apply(article);
}
