// Plays a sound file through the desktop's command-line player.
#include "common/process_sound.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

void ProcessSoundPlayer::play(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    for (const char *player : {"paplay", "aplay"}) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(player));
        if (!exe.isEmpty()) {
            QProcess::startDetached(exe, {path});
            return;
        }
    }
}
