// The article manager over a store of 1,000,000 articles of about 2 KB: time until its first rows
// are shown and resident memory with it open; and morvane-cli export of 100,000 articles.
//   bench_articles [ARTICLES] [EXPORTED]
#include "app/app_context.h"
#include "articles/article_list_model.h"
#include "articles/article_store.h"
#include "articles/frm_article_data.h"
#include "common/sqlite_connection.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeView>

namespace {

qint64 residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    }
    return -1;
}

bool generate(const QString &programDir, int count)
{
    QDir(programDir).mkpath(QStringLiteral("data"));
    // The store's own tables, as a first use creates them.
    ArticleStore(programDir).count();
    SqliteConnection c(QDir(programDir).filePath(QStringLiteral("data/Article.db")), {});
    if (!c.isOpen())
        return false;
    QSqlQuery q(c.db());
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    c.db().transaction();
    q.prepare(QStringLiteral("INSERT INTO 文章列表 (标题, 内容) VALUES (?, ?)"));
    const QString body = QString(1000, u'文'); // about 2 KB
    for (int i = 0; i < count; ++i) {
        q.addBindValue(QStringLiteral("第%1篇文章的标题").arg(i));
        q.addBindValue(body);
        if (!q.exec())
            return false;
    }
    return c.db().commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int articles = argc > 1 ? QByteArray(argv[1]).toInt() : 1000000;
    const int exported = argc > 2 ? QByteArray(argv[2]).toInt() : 100000;

    QTemporaryDir big;
    QElapsedTimer t;
    t.start();
    if (!generate(big.path(), articles)) {
        out << "could not generate the store\n";
        return 1;
    }
    out << "generated " << articles << " articles in " << t.elapsed() / 1000.0 << " s\n";
    out.flush();

    AppContext context;
    context.programDir = big.path();
    const qint64 before = residentMb();
    t.restart();
    auto *manager = new FrmArticleData(context);
    manager->show();
    // The first rows are on screen once the view has painted them.
    QCoreApplication::processEvents();
    manager->ListView1->viewport()->repaint();
    const qint64 firstRowsMs = t.elapsed();
    const QString firstTitle = manager->model()->titleAt(0);
    // Scroll through the list as a user would: a page at a time, to the end.
    t.restart();
    for (int row = 0; row < articles; row += 5000) {
        manager->ListView1->scrollTo(manager->model()->index(row, 1));
        manager->ListView1->viewport()->repaint();
    }
    const qint64 scrollMs = t.elapsed();
    out << "manager over " << manager->model()->rowCount() << " articles: first rows after "
        << firstRowsMs << " ms (goal < 1000 ms), first title \"" << firstTitle << "\"\n"
        << "jumping through the whole list in " << articles / 5000 << " steps: " << scrollMs
        << " ms\n"
        << "resident memory: " << before << " MB before opening, " << residentMb()
        << " MB with the manager open (goal < 300 MB)\n";
    out.flush();
    delete manager;

    // Export: a store of EXPORTED articles written by the command-line tool.
    QTemporaryDir small;
    generate(small.path(), exported);
    QTemporaryDir target;
    const QString cli = QDir(QCoreApplication::applicationDirPath())
                            .filePath(QStringLiteral("../stage/morvane-cli"));
    t.restart();
    QProcess p;
    p.start(cli, {QStringLiteral("--home"), small.path(), QStringLiteral("export"), target.path()});
    p.waitForFinished(-1);
    const double seconds = t.elapsed() / 1000.0;
    out << "morvane-cli export of " << exported << " articles: " << seconds << " s = "
        << qRound(exported / seconds) << " files per second (goal >= 5000); "
        << QString::fromUtf8(p.readAllStandardOutput()).trimmed() << "\n";
    return 0;
}
