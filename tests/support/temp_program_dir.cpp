// A program directory in a temporary folder.
#include "temp_program_dir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TempProgramDir::TempProgramDir(Content content)
{
    if (content != FromTemplate || !m_dir.isValid())
        return;
    const QDir source(templateDir());
    QDirIterator it(templateDir(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = file(source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
        QFile(to).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

QString TempProgramDir::templateDir()
{
    return QStringLiteral(MORVANE_SOURCE_DATA_DIR);
}

QString TempProgramDir::file(const QString &relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

bool TempProgramDir::write(const QString &relative, const QByteArray &bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray TempProgramDir::read(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempProgramDir::remove(const QString &relative) const
{
    return QFile::remove(file(relative));
}
