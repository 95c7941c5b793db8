// Byte/text conversions of the system.
#include "common/codec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Codec {

QString decodeAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QByteArray encodeAnsi(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString decodeUtf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

bool readTextLines(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text = decodeUtf8(bytes.mid(3));
    else if (bytes.startsWith("\xFF\xFE"))
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    else
        text = decodeAnsi(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return true;
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
            out += u'\r';
        out += c;
    }
    return out;
}

QString toLf(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

} // namespace Codec
