// Starts programs detached through QProcess, with an argument list and no shell.
#include "common/process_launcher.h"

#include <QFileInfo>
#include <QProcess>

bool QtProcessLauncher::start(const QString &program, const QStringList &arguments, WindowMode)
{
    // Linux desktops decide focus and minimised state themselves; the mode is only a hint.
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}
