// Private-profile (INI) files as rule files use them.
#include "collector/profile_file.h"

#include "common/codec.h"
#include "common/text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace ProfileFile {

namespace {

// Blanks as the profile functions trim them.
QStringView trimBlanks(QStringView s)
{
    return TrimChars(s, u" \t");
}


// The section name of a "[name]" line, or a null string for other lines.
QString sectionName(const QString &line)
{
    const QStringView t = trimBlanks(line);
    if (!t.startsWith(u'['))
        return QString();
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return QString();
    QString name = trimBlanks(t.mid(1, close - 1)).toString();
    if (name.isNull())
        name = QStringLiteral("");
    return name;
}

// The key of a "key=value" line, or a null string for lines without "=".
QString keyOf(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return QString();
    QString key = trimBlanks(QStringView(line).left(eq)).toString();
    if (key.isNull())
        key = QStringLiteral("");
    return key;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString CutAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString cutToAnsiBytes(const QString &text, int maxBytes)
{
    if (text.size() * 4 <= maxBytes || Codec::encodeAnsi(text).size() <= maxBytes)
        return text;
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int charBytes = int(Codec::encodeAnsi(text.mid(i, len)).size());
        if (bytes + charBytes > maxBytes)
            break;
        bytes += charBytes;
        i += len;
    }
    return text.left(i);
}

QString ReadRuleValue(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue)
{
    if (!QFileInfo(file).isFile())
        return QString();
    QStringList lines;
    if (!Codec::readTextLines(file, lines))
        return CutAtNul(defaultValue);
    bool inSection = false;
    for (const QString &line : std::as_const(lines)) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection)
            continue;
        const QString k = keyOf(line);
        if (k.isNull() || !sameName(k, key))
            continue;
        QStringView value = trimBlanks(QStringView(line).mid(line.indexOf(u'=') + 1));
        if (value.size() >= 2
            && ((value.startsWith(u'"') && value.endsWith(u'"'))
                || (value.startsWith(u'\'') && value.endsWith(u'\''))))
            value = value.mid(1, value.size() - 2);
        return CutAtNul(cutToAnsiBytes(value.toString(), MaxValueBytes));
    }
    return CutAtNul(defaultValue);
}

QString WriteRuleValue(const QString &file, const QString &section, const QString &key,
                       const QString &value)
{
    QStringList lines;
    if (QFileInfo::exists(file) && !Codec::readTextLines(file, lines))
        return QStringLiteral("0");
    const QString newLine = key + u'=' + value;
    int sectionStart = -1; // index of the section's header line
    int lastInSection = -1; // last non-blank line of the section
    bool written = false;
    bool inSection = false;
    for (int i = 0; i < lines.size() && !written; ++i) {
        const QString name = sectionName(lines.at(i));
        if (!name.isNull()) {
            if (inSection)
                break; // the section ended without the key
            inSection = sameName(name, section);
            if (inSection)
                sectionStart = lastInSection = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!trimBlanks(lines.at(i)).isEmpty())
            lastInSection = i;
        const QString k = keyOf(lines.at(i));
        if (!k.isNull() && sameName(k, key)) {
            lines[i] = newLine;
            written = true;
        }
    }
    if (!written) {
        if (sectionStart < 0) {
            lines << (u'[' + section + u']') << newLine;
        } else {
            lines.insert(lastInSection + 1, newLine);
        }
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("0");
    const QByteArray bytes = Codec::encodeAnsi(lines.join(QStringLiteral("\r\n")) + u"\r\n");
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return QStringLiteral("0");
    }
    return out.commit() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace ProfileFile
