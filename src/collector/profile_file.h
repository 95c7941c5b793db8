// Private-profile (INI) files as rule files use them: GB18030 text, case-insensitive section and
// key names, trimmed values with one pair of enclosing quotes dropped, values cut at 253 bytes,
// and writes that update a key in place and keep every other line.
#pragma once

#include <QString>

namespace ProfileFile {

// Longest value a read returns, in GB18030 bytes.
constexpr int MaxValueBytes = 253;

// The value of key in section, or defaultValue when the key is missing; the empty text when the
// file does not exist. Cut at its first NUL character.
QString ReadRuleValue(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue);

// Sets key in section, adding the key or the section when missing, creating the file when
// needed. Returns "1" on success and "0" on failure.
QString WriteRuleValue(const QString &file, const QString &section, const QString &key,
                       const QString &value);

// The part of text before its first NUL character.
QString CutAtNul(const QString &text);

// text cut to at most maxBytes bytes of GB18030, never inside a character.
QString cutToAnsiBytes(const QString &text, int maxBytes);

} // namespace ProfileFile
