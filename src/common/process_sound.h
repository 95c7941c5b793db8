// Plays a sound file through the desktop's command-line player (paplay, else aplay), for
// programs without a GUI. Nothing is heard when neither is installed or the file is missing.
#pragma once

#include "common/seams.h"

class ProcessSoundPlayer : public SoundPlayer
{
public:
    void play(const QString &path) override;
};
