// setting.ini, read and written key by key.
#include "common/settings.h"

#include "common/codec.h"
#include "common/program_dir.h"
#include "common/text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// Only the space character is trimmed; tabs belong to keys and values.
QString trimSpaces(QStringView s)
{
    return TrimChars(s, u" ").toString();
}


bool writeContent(const QString &path, const QString &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Owner-only: the file holds the statistics service's password.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = Codec::encodeAnsi(content);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

SettingsFile::SettingsFile(const QString &programDir)
    : m_path(ProgramDir::file(programDir, QStringLiteral("setting.ini")))
{
}

QString SettingsFile::headerLine()
{
    return QStringLiteral("#Morvane，文章采集助手配置文件，请勿自行修改");
}

QString SettingsFile::ReadSetting(const QString &key, const QString &defaultValue) const
{
    if (key.isEmpty() || !QFileInfo::exists(m_path))
        return defaultValue;
    QStringList lines;
    if (!Codec::readTextLines(m_path, lines))
        return defaultValue;
    for (const QString &line : std::as_const(lines)) {
        if (trimSpaces(line).startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (trimSpaces(line.left(eq)) == key)
            return trimSpaces(line.mid(eq + 1));
    }
    return defaultValue;
}

bool SettingsFile::WriteSetting(const QString &key, const QString &value) const
{
    if (key.isEmpty())
        return false;
    const QString newLine = key + QStringLiteral(" = ") + value;
    const QString crlf = QStringLiteral("\r\n");
    if (!QFileInfo::exists(m_path)) {
        if (value.isEmpty())
            return true;
        return writeContent(m_path, headerLine() + crlf + newLine + crlf);
    }
    QStringList lines;
    if (!Codec::readTextLines(m_path, lines))
        return false;
    QString content;
    bool notWritten = true;
    for (const QString &raw : std::as_const(lines)) {
        QString line = trimSpaces(raw);
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq < 0) {
                line.clear();
            } else if (trimSpaces(line.left(eq)) == key) {
                notWritten = false;
                line = value.isEmpty() ? QString() : newLine;
            }
        }
        if (!line.isEmpty())
            content += line + crlf;
    }
    if (notWritten && !value.isEmpty())
        content += newLine;
    if (content.endsWith(crlf))
        content.chop(2);
    if (content.isEmpty()) {
        // Nothing left: the file goes away.
        return QFile::remove(m_path) || !QFileInfo::exists(m_path);
    }
    return writeContent(m_path, content + crlf);
}
