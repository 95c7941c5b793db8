// A harvest from the fixture server at a 1 ms period: time per page beyond the fetch, and
// resident memory over a long run.
#include "articles/article_store.h"
#include "collector/collection_engine.h"
#include "common/http.h"
#include "common/seams.h"
#include "common/text.h"
#include "fixture_server.h"
#include "fixture_site.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class Silent : public SoundPlayer
{
public:
    void play(const QString &) override {}
};

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int pages = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const int longRun = argc > 2 ? QByteArray(argv[2]).toInt() : 10000;

    FixtureServer server;
    server.start();
    const QString body = QStringLiteral("<p>") + QString(1500, u'文') + QStringLiteral("</p>");
    server.page(QStringLiteral("/page"), FixtureSite::pageBytes(QStringLiteral("标题"), body, false));
    HttpClient http;

    // The fetch alone, page after page.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < pages; ++i) {
        bool done = false;
        GetHtml(http, server.url(QStringLiteral("/page?") + QString::number(i)), &app,
                [&](const QString &) { done = true; });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double fetchMs = timer.nsecsElapsed() / 1e6 / pages;

    const auto harvest = [&](int count, qint64 *rssAfterFirst) {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        ArticleStore store(dir.path());
        Silent silent;
        CollectionEngine engine(http, store, silent, QString());
        CollectOptions options;
        options.titleStart = QStringLiteral("<h1>");
        options.titleEnd = QStringLiteral("</h1>");
        options.contentStart = QStringLiteral("<div class=\"content\">");
        options.contentEnd = QStringLiteral("</div>");
        options.stripHtml = true;
        engine.setOptionsSource([options] { return options; });
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << server.url(QStringLiteral("/page?") + QString::number(i));
        engine.setPages(list);
        bool ended = false;
        int ticks = 0;
        QObject::connect(&engine, &CollectionEngine::runEnded, &app, [&] { ended = true; });
        QObject::connect(&engine, &CollectionEngine::tickFinished, &app, [&] {
            server.clearRequests(); // the fixture's own record is not the engine's memory
            if (++ticks == qMin(1000, count) && rssAfterFirst)
                *rssAfterFirst = residentKb();
        });
        QElapsedTimer t;
        t.start();
        engine.startWithPeriod(1);
        while (!ended)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return t.nsecsElapsed() / 1e6 / count;
    };

    // The work of a page once it has arrived, as a tick does it: two cuts, stripping, one store.
    double workMs = 0;
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        ArticleStore store(dir.path());
        const QString html = DecodeBody(FixtureSite::pageBytes(QStringLiteral("标题"), body, false));
        QElapsedTimer w;
        w.start();
        for (int i = 0; i < pages; ++i) {
            const QString title = CutBetween(html, QStringLiteral("<h1>"), QStringLiteral("</h1>"));
            const QString text = StripTags(CutBetween(html, QStringLiteral("<div class=\"content\">"),
                                                      QStringLiteral("</div>")));
            store.SaveArticle(title, text);
        }
        workMs = w.nsecsElapsed() / 1e6 / pages;
    }

    const double pageMs = harvest(pages, nullptr);
    out << "fetch alone: " << QString::number(fetchMs, 'f', 3) << " ms per page\n"
        << "harvest at a 1 ms period: " << QString::number(pageMs, 'f', 3) << " ms per page\n"
        << "work of a page beyond its fetch (cuts, stripping, durable store): "
        << QString::number(workMs, 'f', 3) << " ms per page (goal < 2 ms)\n";
    out.flush();

    qint64 rssEarly = 0;
    harvest(longRun, &rssEarly);
    const qint64 rssLate = residentKb();
    out << "resident memory over " << longRun << " pages: " << rssEarly / 1024 << " MB after 1000, "
        << rssLate / 1024 << " MB at the end, growth " << (rssLate - rssEarly) / 1024
        << " MB (goal < 10 MB)\n";
    return 0;
}
