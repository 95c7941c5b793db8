// Recording fakes of the desktop seams: nothing a test does ever opens a real dialog, browser,
// program or sound.
#pragma once

#include "common/seams.h"

#include <QList>
#include <QQueue>
#include <QStringList>

struct ShownMessage
{
    MessageIcon icon;
    QString title;
    QString text;
};

class FakeMessages : public MessageBoxes
{
public:
    void show(MessageIcon icon, const QString &title, const QString &text) override
    {
        shown.append({icon, title, text});
    }
    bool ask(const QString &title, const QString &text) override
    {
        asked.append({MessageIcon::Question, title, text});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const ShownMessage &m : shown)
            out << m.text;
        return out;
    }
    QList<ShownMessage> shown;
    QList<ShownMessage> asked;
    QQueue<bool> answers;
};

class FakeBrowser : public Browser
{
public:
    void openUrl(const QString &address) override { urls << address; }
    void openFolder(const QString &path) override { folders << path; }
    QStringList urls;
    QStringList folders;
};

struct StartedProgram
{
    QString program;
    QStringList arguments;
    WindowMode mode;
};

class FakeLauncher : public ProcessLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments, WindowMode mode) override
    {
        started.append({program, arguments, mode});
        return true;
    }
    QList<StartedProgram> started;
};

class FakeSound : public SoundPlayer
{
public:
    void play(const QString &path) override { played << path; }
    QStringList played;
};

class FakeDialogs : public FileDialogs
{
public:
    QString openFile(const QString &title, const QString &filter, const QString &folder) override
    {
        requests << (title + u'|' + filter + u'|' + folder);
        return files.isEmpty() ? QString() : files.dequeue();
    }
    QString chooseFolder(const QString &title) override
    {
        requests << title;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    QStringList requests;
    QQueue<QString> files;
    QQueue<QString> folders;
};

// Hands out scripted numbers (then repeats the last one, or 0) and counts the draws.
class ScriptedRandom : public RandomSource
{
public:
    double next() override
    {
        ++draws;
        if (!values.isEmpty())
            last = values.dequeue();
        return last;
    }
    void script(std::initializer_list<double> list)
    {
        values.clear();
        for (double v : list)
            values.enqueue(v);
    }
    QQueue<double> values;
    double last = 0.0;
    int draws = 0;
};

struct FakeSeams
{
    FakeMessages messages;
    FakeBrowser browser;
    FakeLauncher launcher;
    FakeSound sound;
    FakeDialogs dialogs;
    ScriptedRandom random;

    Seams seams() { return {&messages, &browser, &launcher, &sound, &dialogs, &random}; }
};
