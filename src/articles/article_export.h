// Export of articles as text files: one file per article in a chosen folder, named after the
// trimmed title with ".txt", holding the trimmed content between double quotes and a CR LF, in
// GB18030. A title that would name a path rather than a file gives no file.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ArticleExport {

// Leading and trailing blanks (spaces) removed.
QString trimBlanks(const QString &text);

// The file name for an article's title, or nothing when no file may be written for it: a path
// separator, a character file names cannot hold, a control character, or the title "." or "..".
std::optional<QString> fileName(const QString &title);

// The bytes of one exported article.
QByteArray fileBytes(const QString &content);

enum class Result { Written, Skipped, Failed };

// Writes one article into folder, replacing a file of the same name. Skipped for a title that
// gives no file name; Failed (with *error) when the file could not be written.
Result write(const QString &folder, const QString &title, const QString &content,
             QString *error = nullptr);

} // namespace ArticleExport
