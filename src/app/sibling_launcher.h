// The launch table of the programs that live beside Morvane: editor, Update and the publishing
// plug-in relaypub, each started with its fixed token as the only argument.
#pragma once

#include "common/seams.h"

#include <QString>

enum class Sibling { Editor, Update, RelayPub };

struct SiblingEntry
{
    QString executable;     // file name in the program directory
    QString token;          // the whole command line after the path
    WindowMode mode;
    QString missingMessage; // shown (title "提示", error icon) when the file is missing
};

SiblingEntry siblingEntry(Sibling which);

// Starts the sibling, or shows the table's message when its executable is missing. The result of
// the start is not looked at.
void launchSibling(Sibling which, const QString &programDir, ProcessLauncher &launcher,
                   MessageBoxes &messages);
