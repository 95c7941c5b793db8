// The keyword-link table data/Keywords.db, 关键词替换 (id, 关键词, 链接): words of an article that
// SeoProcess turns into links.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct KeywordLink
{
    qint64 id = 0;
    QString keyword; // 关键词
    QString link;    // 链接: the complete HTML put in place of the keyword
};

class KeywordStore
{
public:
    explicit KeywordStore(const QString &programDir);

    QString path() const { return m_path; }
    QString errorText() const { return m_error; }

    // Every row in id order (newestFirst: highest id first); nothing on failure.
    std::optional<QList<KeywordLink>> rows(bool newestFirst = false);
    // Adds a row whose link is built from the template; false on failure.
    bool add(const QString &keyword, const QString &url);
    bool remove(qint64 id);

    // The link template: "关键词" replaced by the keyword, then "链接" by the address.
    static QString linkTemplate();
    static QString buildLink(const QString &keyword, const QString &url);

private:
    QString m_path;
    QString m_error;
};

// The keyword-link step: every row, newest first, replaces every occurrence of its keyword by its
// link (links put in by earlier rows included). Rows with an empty keyword or link change nothing.
QString SeoProcess(const QString &article, const QList<KeywordLink> &newestFirst);
