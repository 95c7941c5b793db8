// A program directory in a temporary folder, optionally filled from the data template, removed
// when the test ends.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempProgramDir
{
public:
    enum Content { Empty, FromTemplate };
    explicit TempProgramDir(Content content = FromTemplate);

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // The absolute path of a relative one ("data/dict.dict").
    QString file(const QString &relative) const;
    // Writes bytes to a relative path, creating folders; false on failure.
    bool write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool remove(const QString &relative) const;

    static QString templateDir();

private:
    QTemporaryDir m_dir;
};
