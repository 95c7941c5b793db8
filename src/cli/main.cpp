// morvane-cli: the core without windows, for servers, cron jobs and scripted checks.
//   morvane-cli [--home DIR] COMMAND ...
// Results go to standard output (UTF-8, LF), messages to standard error. Exit 0 on success, 2 for
// bad arguments or input, 1 for a failure while working.
#include "common/program_dir.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

const char usage[] = "usage: morvane-cli [--home DIR] COMMAND ...\n"
                     "commands:\n"
                     "  home      print the program directory\n";

int badArguments(QTextStream &err, const QString &reason)
{
    err << "morvane-cli: " << reason << "\n" << QString::fromLatin1(usage);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("morvane-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    QString home;
    if (!args.isEmpty() && args.first() == u"--home") {
        if (args.size() < 2)
            return badArguments(err, QStringLiteral("--home needs a directory"));
        home = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty())
        return badArguments(err, QStringLiteral("no command given"));
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"help") {
        out << QString::fromLatin1(usage);
        return 0;
    }
    const QString programDir = ProgramDir::resolve(home);
    if (command == u"home") {
        out << programDir << "\n";
        return 0;
    }
    return badArguments(err, QStringLiteral("unknown command: ") + command);
}
