// One SQLite connection for the length of one operation: opened with WAL, full sync and a busy
// timeout, the table created when missing, and removed again when the object goes away.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class SqliteConnection
{
public:
    // The setup statements run after opening (CREATE TABLE IF NOT EXISTS ..., indexes).
    SqliteConnection(const QString &path, const QStringList &setup);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    bool isOpen() const { return m_ok; }
    QString errorText() const { return m_error; }
    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
    QString m_error;
    bool m_ok = false;
};
