// Byte/text conversions of the system: its "ANSI" files are GB18030 (a superset of GBK that
// gives GBK's bytes for every GBK character), and its text keeps CR LF line breaks inside.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Codec {

QString decodeAnsi(const QByteArray &bytes);
QByteArray encodeAnsi(const QString &text);
QString decodeUtf8(const QByteArray &bytes);

// The lines of a text file of the system: GB18030, unless a UTF-8 or UTF-16 byte-order mark says
// otherwise (some editors add one). Lines end at CR LF, LF or CR; a last empty line is dropped.
// False when the file cannot be read.
bool readTextLines(const QString &path, QStringList &lines);

// Bare LF (from widgets, Linux files, standard input) to CR LF; CR LF is left alone.
QString toCrLf(const QString &text);
// CR LF to LF, for widgets and standard output.
QString toLf(const QString &text);

} // namespace Codec
