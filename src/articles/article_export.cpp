// Export of articles as text files.
#include "articles/article_export.h"

#include "common/codec.h"
#include "common/text.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ArticleExport {

QString trimBlanks(const QString &text)
{
    return TrimChars(text, u" ").toString();
}

std::optional<QString> fileName(const QString &title)
{
    const QString name = trimBlanks(title);
    if (name == u"." || name == u"..")
        return std::nullopt;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c))
            return std::nullopt;
    }
    return name + QStringLiteral(".txt");
}

QByteArray fileBytes(const QString &content)
{
    return Codec::encodeAnsi(u'"' + trimBlanks(content) + QStringLiteral("\"\r\n"));
}

Result write(const QString &folder, const QString &title, const QString &content, QString *error)
{
    const std::optional<QString> name = fileName(title);
    if (!name)
        return Result::Skipped;
    // Written beside its final name and renamed over it, so that an interrupted export never
    // leaves a half-written file. Exports are not synced to disk one by one: a hundred thousand
    // syncs would make the export crawl, and the files can always be written again.
    const QDir dir(folder);
    const QString target = dir.filePath(*name);
    const QString temporary = dir.filePath(QStringLiteral(".morvane-")
                                           + QString::number(QRandomGenerator::global()->generate64(), 36)
                                           + QStringLiteral(".tmp"));
    QFile file(temporary);
    const QByteArray bytes = fileBytes(content);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        file.remove();
        return Result::Failed;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.close();
        return fail(why);
    }
    file.close();
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData())
        != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return Result::Written;
}

} // namespace ArticleExport
