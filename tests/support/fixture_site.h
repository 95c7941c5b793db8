// A small harvestable site on the fixture server: GBK and UTF-8 pages, one page without its title
// marker, one whose body holds HTML to strip; and a rule file that harvests it.
#pragma once

#include "common/codec.h"
#include "fixture_server.h"

#include <QList>
#include <QPair>
#include <QString>

namespace FixtureSite {

inline QByteArray pageBytes(const QString &title, const QString &body, bool utf8)
{
    const QString html = QStringLiteral("<html><head><title>站点</title></head><body>\r\n<h1>")
                         + title + QStringLiteral("</h1>\r\n<div class=\"content\">") + body
                         + QStringLiteral("</div>\r\n</body></html>");
    return utf8 ? html.toUtf8() : Codec::encodeAnsi(html);
}

// /site/p1.html .. /site/p4.html
inline void install(FixtureServer &server)
{
    server.page(QStringLiteral("/site/p1.html"),
                pageBytes(QStringLiteral("第一篇：GBK 页面"), QStringLiteral("<p>正文一，含'引号'和\"双引号\"。</p>"), false));
    server.page(QStringLiteral("/site/p2.html"),
                pageBytes(QStringLiteral("第二篇 UTF-8 😀"), QStringLiteral("<p>正文二 with UTF-8。</p>"), true));
    server.page(QStringLiteral("/site/p3.html"),
                Codec::encodeAnsi(QStringLiteral("<html><body><h2>没有标题标记</h2><div class=\"content\">正文三</div></body></html>")));
    server.page(QStringLiteral("/site/p4.html"),
                pageBytes(QStringLiteral("第四篇"),
                          QStringLiteral("<p>第一段 文字</p>\r\n\r\n<p>第二段<br>换行</p>"), false));
}

// The rows a harvest of the site stores, without and with HTML stripping.
inline QList<QPair<QString, QString>> expectedRows(bool stripped)
{
    return {
        {QStringLiteral("第一篇：GBK 页面"),
         stripped ? QStringLiteral("正文一，含'引号'和\"双引号\"。")
                  : QStringLiteral("<p>正文一，含'引号'和\"双引号\"。</p>")},
        {QStringLiteral("第二篇 UTF-8 😀"),
         stripped ? QStringLiteral("正文二withUTF-8。") : QStringLiteral("<p>正文二 with UTF-8。</p>")},
        {QStringLiteral("第四篇"),
         stripped ? QStringLiteral("第一段文字<br>第二段换行")
                  : QStringLiteral("<p>第一段 文字</p>\r\n\r\n<p>第二段<br>换行</p>")},
    };
}

// The rule file's text: the site's pages 1 to 4.
inline QByteArray ruleBytes(const FixtureServer &server, const QString &interval = QStringLiteral("0.01"))
{
    const QString text = QStringLiteral("[规则列表]\r\n批量形式=") + server.url(QStringLiteral("/site/p{N}.html"))
                          + QStringLiteral("\r\n数字开始=1\r\n数字结束=4\r\n标题开始=<h1>\r\n标题结束=</h1>\r\n"
                                           "正文开始=<div class=\"content\">\r\n正文结束=</div>\r\n时间间隔=")
                          + interval + QStringLiteral("\r\n");
    return Codec::encodeAnsi(text);
}

} // namespace FixtureSite
