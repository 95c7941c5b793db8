// One SQLite connection for the length of one operation.
#include "common/sqlite_connection.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString nextName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("morvane-sqlite-") + QString::number(++counter);
}

} // namespace

SqliteConnection::SqliteConnection(const QString &path, const QStringList &setup)
    : m_name(nextName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    if (!QFileInfo(path).absoluteDir().exists()) {
        m_error = QStringLiteral("folder missing: ") + QFileInfo(path).absolutePath();
        return;
    }
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!m_db.open()) {
        m_error = m_db.lastError().text();
        return;
    }
    QSqlQuery q(m_db);
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
        if (!q.exec(QString::fromLatin1(pragma))) {
            m_error = q.lastError().text();
            return;
        }
    }
    for (const QString &statement : setup) {
        if (!q.exec(statement)) {
            m_error = q.lastError().text();
            return;
        }
    }
    m_ok = true;
}

SqliteConnection::~SqliteConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}
