// setting.ini: lines of key " = " value with "#" comments, read and written key by key. Every call
// works on the file from scratch; nothing is cached.
#pragma once

#include <QString>

class SettingsFile
{
public:
    explicit SettingsFile(const QString &programDir);

    // The value of the first line whose key equals key (case-sensitive), else defaultValue.
    QString ReadSetting(const QString &key, const QString &defaultValue) const;
    // Sets key to value, or removes every line of key when value is empty. False when key is empty
    // or the file could not be written; the old file then stays as it was.
    bool WriteSetting(const QString &key, const QString &value) const;

    QString path() const { return m_path; }

    static QString headerLine();

private:
    QString m_path;
};
