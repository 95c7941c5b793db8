// Export of articles as text files.
#include "articles/article_export.h"

#include "common/codec.h"

#include <QDir>
#include <QSaveFile>

namespace ArticleExport {

QString trimBlanks(const QString &text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b) == u' ')
        ++b;
    while (e > b && text.at(e - 1) == u' ')
        --e;
    return text.mid(b, e - b);
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
    QSaveFile file(QDir(folder).filePath(*name));
    const QByteArray bytes = fileBytes(content);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return Result::Failed;
    }
    return Result::Written;
}

} // namespace ArticleExport
