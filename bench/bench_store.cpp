// SaveArticle throughput: each call opens the store, appends one article durably and closes.
// Also StripTags on a 1 MB page.
#include "articles/article_store.h"
#include "common/text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    ArticleStore store(dir.path());
    const QString content = QString(1000, u'文'); // about 2 KB
    const int n = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i) {
        if (!store.SaveArticle(QStringLiteral("标题 ") + QString::number(i), content)) {
            out << "save failed: " << store.errorText() << "\n";
            return 1;
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    out << "SaveArticle: " << n << " calls in " << QString::number(seconds, 'f', 2) << " s = "
        << QString::number(n / seconds, 'f', 0) << " per second (goal >= 500)\n";

    // A 1 MB page of typical markup.
    QString page;
    const QString chunk = QStringLiteral("<div class=\"item\"><a href=\"/news/1.html\">新闻 标题</a>"
                                         "<p>正文 内容 text</p></div>\r\n");
    while (page.size() < 1024 * 1024)
        page += chunk;
    QList<double> runs;
    for (int i = 0; i < 20; ++i) {
        timer.restart();
        const QString stripped = StripTags(page);
        runs << timer.nsecsElapsed() / 1e6;
        if (stripped.isEmpty())
            return 1;
    }
    std::sort(runs.begin(), runs.end());
    out << "StripTags, 1 MB page: median " << QString::number(runs.at(runs.size() / 2), 'f', 2)
        << " ms (goal < 10 ms)\n";
    return 0;
}
