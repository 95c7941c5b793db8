// The synonym dictionary data/dict.dict: one "word|replacement" entry per CR LF line, applied
// in file order by the rewriting.
#pragma once

#include <QList>
#include <QString>

#include <optional>

class MessageBoxes;

struct SynonymPair
{
    QString Word;
    QString Replacement;
    bool operator==(const SynonymPair &) const = default;
};

using SynonymTable = QList<SynonymPair>;

namespace SynonymDict {

QString path(const QString &programDir);

// Parses the dictionary text leniently: a line without "|" is a word with an empty replacement
// (rewriting deletes it), an empty line is an entry with an empty word (it changes nothing), and
// a text with no line at all gives an empty table. Runs of CR LF at both ends are ignored.
SynonymTable parse(const QString &text);

} // namespace SynonymDict

// Loads the program directory's dictionary. A missing file is reported to the user with
// "词典文件损坏或丢失，请到官网下载完整安装包！" and gives no table; a file that cannot be read gives
// an empty table.
std::optional<SynonymTable> LoadSynonymDict(const QString &programDir, MessageBoxes &messages);
