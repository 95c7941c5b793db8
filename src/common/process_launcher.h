// Starts programs detached through QProcess, with an argument list and no shell.
#pragma once

#include "common/seams.h"

class QtProcessLauncher : public ProcessLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments, WindowMode mode) override;
};
