// Detects a running instance of a program for one program directory, through a lock file that
// the system removes with the process (a crashed instance leaves no lasting lock).
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class SingleInstance
{
public:
    SingleInstance(const QString &programName, const QString &programDir);
    // True when no other instance holds the lock; this object then holds it until destroyed.
    bool tryAcquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};
