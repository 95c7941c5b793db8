// The seams between core code and the desktop: every message box, browser call, program start,
// sound, file dialog and random draw of the system goes through one of these small interfaces,
// so that windows and engines can be driven by tests with recording fakes.
#pragma once

#include <QString>
#include <QStringList>

enum class MessageIcon { None, Information, Error, Question };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows a message with an OK button and returns when the user has closed it.
    // An empty title means the program's default title.
    virtual void show(MessageIcon icon, const QString &title, const QString &text) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(const QString &title, const QString &text) = 0;
};

class Browser
{
public:
    virtual ~Browser() = default;
    // Opens an address in the user's browser; failures are not reported.
    virtual void openUrl(const QString &address) = 0;
    // Opens a folder in the file manager; failures are not reported.
    virtual void openFolder(const QString &path) = 0;
};

// How a started program's window should appear; a hint that desktops may ignore.
enum class WindowMode { NormalNoFocus, MinimizedFocus };

class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    // Starts a program detached, arguments as a list (never through a shell).
    virtual bool start(const QString &program, const QStringList &arguments, WindowMode mode) = 0;
};

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts playing a sound file and returns at once.
    virtual void play(const QString &path) = 0;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Empty text when the user cancels.
    virtual QString openFile(const QString &title, const QString &filter, const QString &folder) = 0;
    virtual QString chooseFolder(const QString &title) = 0;
};

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniform number in [0, 1).
    virtual double next() = 0;
};

// Everything a window or engine may need from the desktop, wired once in each program's main.
struct Seams
{
    MessageBoxes *messages = nullptr;
    Browser *browser = nullptr;
    ProcessLauncher *launcher = nullptr;
    SoundPlayer *sound = nullptr;
    FileDialogs *dialogs = nullptr;
    RandomSource *random = nullptr;
};
