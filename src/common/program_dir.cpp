// The program directory: where settings, rules, the dictionary and the databases live.
#include "common/program_dir.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramDir {

QString resolve(const QString &homeArgument)
{
    if (!homeArgument.isEmpty())
        return QDir(homeArgument).absolutePath();
    const QString env = qEnvironmentVariable("MORVANE_HOME");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString file(const QString &dir, const QString &relative)
{
    return QDir(dir).filePath(relative);
}

} // namespace ProgramDir
