// The commands of morvane-cli. Each returns the process exit code: 0 success, 1 a failure while
// working, 2 bad arguments or input (with a one-line reason on standard error).
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

struct CliIo
{
    QTextStream &out;
    QTextStream &err;
};

namespace Cli {

int usageError(CliIo &io, const QString &reason);

int harvest(const QString &programDir, const QStringList &args, CliIo &io);
int testRule(const QString &programDir, const QStringList &args, CliIo &io);
int articles(const QString &programDir, const QStringList &args, CliIo &io);
int exportArticles(const QString &programDir, const QStringList &args, CliIo &io);
int rewrite(const QString &programDir, const QStringList &args, CliIo &io, QTextStream &in);

} // namespace Cli
