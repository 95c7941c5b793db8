// Detects a running instance of a program for one program directory.
#include "common/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &programName, const QString &programDir)
{
    // Keyed on the program directory: its data files are what two instances would fight over.
    const QByteArray key = QCryptographicHash::hash(QDir(programDir).absolutePath().toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(
        programName + QStringLiteral("-") + QString::fromLatin1(key) + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::tryAcquire()
{
    return m_lock->tryLock(0);
}
