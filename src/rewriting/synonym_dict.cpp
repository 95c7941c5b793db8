// The synonym dictionary loader.
#include "rewriting/synonym_dict.h"

#include "common/fso.h"
#include "common/program_dir.h"
#include "common/seams.h"
#include "common/text.h"

#include <QFileInfo>

namespace SynonymDict {

QString path(const QString &programDir)
{
    return ProgramDir::file(programDir, QStringLiteral("data/dict.dict"));
}

SynonymTable parse(const QString &text)
{
    const QString body = ClearVBCRlF(text, QStringLiteral("\r\n"));
    SynonymTable table;
    if (body.isEmpty())
        return table;
    const QStringView view(body);
    const auto lines = view.split(u"\r\n");
    table.reserve(lines.size());
    for (const QStringView line : lines) {
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0) {
            table.append({line.toString(), QString()});
            continue;
        }
        const qsizetype next = line.indexOf(u'|', bar + 1);
        const QStringView replacement =
            next < 0 ? line.mid(bar + 1) : line.mid(bar + 1, next - bar - 1);
        table.append({line.left(bar).toString(), replacement.toString()});
    }
    return table;
}

} // namespace SynonymDict

std::optional<SynonymTable> LoadSynonymDict(const QString &programDir, MessageBoxes &messages)
{
    const QString file = SynonymDict::path(programDir);
    if (!QFileInfo(file).isFile()) {
        messages.show(MessageIcon::Information, QStringLiteral("提示"),
                      QStringLiteral("词典文件损坏或丢失，请到官网下载完整安装包！"));
        return std::nullopt;
    }
    FSO fso;
    fso.OpenFile(file); // an unreadable file reads as empty text: a table without entries
    return SynonymDict::parse(fso.GetFileText());
}
