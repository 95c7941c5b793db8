// Byte/text conversions of the system: its "ANSI" files are GB18030 (a superset of GBK that
// gives GBK's bytes for every GBK character), and its text keeps CR LF line breaks inside.
#pragma once

#include <QByteArray>
#include <QString>

namespace Codec {

QString decodeAnsi(const QByteArray &bytes);
QByteArray encodeAnsi(const QString &text);
QString decodeUtf8(const QByteArray &bytes);

// Bare LF (from widgets, Linux files, standard input) to CR LF; CR LF is left alone.
QString toCrLf(const QString &text);
// CR LF to LF, for widgets and standard output.
QString toLf(const QString &text);

} // namespace Codec
