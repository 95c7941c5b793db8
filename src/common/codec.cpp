// Byte/text conversions of the system.
#include "common/codec.h"

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
