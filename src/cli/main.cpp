// morvane-cli: the core without windows, for servers, cron jobs and scripted checks.
//   morvane-cli [--home DIR] COMMAND ...
// Results go to standard output (UTF-8, LF), messages to standard error. Exit 0 on success, 2 for
// bad arguments or input, 1 for a failure while working.
#include "cli/cli_commands.h"
#include "common/program_dir.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

const char usage[] =
    "usage: morvane-cli [--home DIR] COMMAND ...\n"
    "commands:\n"
    "  harvest RULE_FILE [--strip-html] [--interval-ms N] [--sound] [--seo] [--wyc]\n"
    "          [--shuffle none|paragraph|sentence]\n"
    "                      harvest the rule's pages into DIR/data/Article.db\n"
    "  test-rule RULE_FILE print the rule test's title and body\n"
    "  articles            list the stored articles: ID, tab, title\n"
    "  export FOLDER       write every article to FOLDER as the export window does\n"
    "  rewrite [--shuffle none|paragraph|sentence] [--no-synonyms] [--seed N]\n"
    "                      rewrite UTF-8 text from standard input with the dictionary\n"
    "  home                print the program directory\n";

} // namespace

namespace Cli {

int usageError(CliIo &io, const QString &reason)
{
    io.err << "morvane-cli: " << reason << '\n';
    io.err.flush();
    return 2;
}

} // namespace Cli

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("morvane-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliIo io{out, err};

    QStringList args = QCoreApplication::arguments().mid(1);
    QString home;
    if (!args.isEmpty() && args.first() == u"--home") {
        if (args.size() < 2)
            return Cli::usageError(io, QStringLiteral("--home needs a directory"));
        home = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        Cli::usageError(io, QStringLiteral("no command given"));
        err << QString::fromLatin1(usage);
        return 2;
    }
    const QString command = args.takeFirst();
    const QString programDir = ProgramDir::resolve(home);
    if (command == u"--help" || command == u"help") {
        out << QString::fromLatin1(usage);
        return 0;
    }
    if (command == u"home") {
        out << programDir << '\n';
        return 0;
    }
    if (command == u"harvest")
        return Cli::harvest(programDir, args, io);
    if (command == u"test-rule")
        return Cli::testRule(programDir, args, io);
    if (command == u"articles")
        return Cli::articles(programDir, args, io);
    if (command == u"export")
        return Cli::exportArticles(programDir, args, io);
    if (command == u"rewrite") {
        QTextStream in(stdin);
        return Cli::rewrite(programDir, args, io, in);
    }
    return Cli::usageError(io, QStringLiteral("unknown command: ") + command);
}
