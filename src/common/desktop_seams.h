// The real seams of the desktop programs: message boxes, the browser and file manager, sound and
// file dialogs. Tests use recording fakes instead.
#pragma once

#include "common/seams.h"

#include <memory>

class QSoundEffect;
class QWidget;

class QtMessageBoxes : public MessageBoxes
{
public:
    void show(MessageIcon icon, const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
};

class DesktopBrowser : public Browser
{
public:
    void openUrl(const QString &address) override;
    void openFolder(const QString &path) override;
};

class QtSoundPlayer : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString &path) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

class QtFileDialogs : public FileDialogs
{
public:
    QString openFile(const QString &title, const QString &filter, const QString &folder) override;
    QString chooseFolder(const QString &title) override;
};
