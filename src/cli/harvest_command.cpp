// morvane-cli harvest, test-rule and articles: the collector without windows.
#include "articles/article_store.h"
#include "cli/cli_commands.h"
#include "collector/collection_engine.h"
#include "collector/collection_rule.h"
#include "collector/rule_test.h"
#include "common/codec.h"
#include "common/http.h"
#include "common/process_sound.h"
#include "common/program_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTime>

namespace Cli {

namespace {

// The rule file named on the command line, or a reason why it cannot be used.
std::optional<CollectionRule> loadRule(const QString &file, CliIo &io)
{
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) {
        usageError(io, QStringLiteral("cannot read rule file: ") + file);
        return std::nullopt;
    }
    return Rules::read(file);
}

QString logLine(const QString &message)
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm")) + QStringLiteral(" - ")
           + Codec::toLf(message);
}

} // namespace

int harvest(const QString &programDir, const QStringList &args, CliIo &io)
{
    QString ruleFile;
    bool stripHtml = false;
    bool sound = false;
    std::optional<int> periodMs;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--strip-html") {
            stripHtml = true;
        } else if (a == u"--sound") {
            sound = true;
        } else if (a == u"--interval-ms") {
            bool ok = false;
            const int ms = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : 0;
            if (!ok || ms < 1 || ms > 65535)
                return usageError(io, QStringLiteral("--interval-ms needs a number from 1 to 65535"));
            periodMs = ms;
            ++i;
        } else if (a.startsWith(QStringLiteral("--")) || !ruleFile.isEmpty()) {
            return usageError(io, QStringLiteral("unexpected argument: ") + a);
        } else {
            ruleFile = a;
        }
    }
    if (ruleFile.isEmpty())
        return usageError(io, QStringLiteral("harvest needs a rule file"));
    const std::optional<CollectionRule> rule = loadRule(ruleFile, io);
    if (!rule)
        return 2;
    if (Rules::checkForSave(*rule) != Rules::SaveCheck::Ok)
        return usageError(io, QStringLiteral("invalid rule file (address pattern, number range or "
                                             "required markers): ")
                                  + ruleFile);
    if (!periodMs)
        periodMs = CollectionEngine::periodFor(rule->Interval);
    if (!periodMs)
        return usageError(io, QStringLiteral("invalid interval in rule file: ") + rule->Interval);
    qint64 count = 0;
    const std::optional<QStringList> pages =
        Rules::pageList(rule->UrlPattern, rule->NumStart, rule->NumEnd, &count);
    if (!pages)
        return usageError(io, QStringLiteral("the number range gives ") + QString::number(count)
                                  + QStringLiteral(" pages; at most 32767 are allowed"));

    HttpClient http;
    ArticleStore store(programDir);
    ProcessSoundPlayer player;
    CollectionEngine engine(http, store, player,
                            ProgramDir::file(programDir, QStringLiteral("data/complete.wav")));
    CollectOptions options;
    options.titleStart = rule->TitleStart;
    options.titleEnd = rule->TitleEnd;
    options.contentStart = rule->ContentStart;
    options.contentEnd = rule->ContentEnd;
    options.stripHtml = stripHtml;
    options.sound = sound;
    engine.setOptionsSource([options] { return options; });
    bool saveFailed = false;
    QObject::connect(&engine, &CollectionEngine::log, &engine, [&io](const QString &m) {
        io.out << logLine(m) << '\n';
        io.out.flush();
    });
    QObject::connect(&engine, &CollectionEngine::saveFailed, &engine,
                     [&saveFailed] { saveFailed = true; });
    QObject::connect(&engine, &CollectionEngine::runEnded, &engine,
                     [] { QCoreApplication::exit(0); });
    engine.setPages(*pages);
    engine.startWithPeriod(*periodMs);
    QCoreApplication::exec();
    return saveFailed ? 1 : 0;
}

int testRule(const QString &, const QStringList &args, CliIo &io)
{
    if (args.size() != 1)
        return usageError(io, QStringLiteral("test-rule needs exactly one rule file"));
    const std::optional<CollectionRule> rule = loadRule(args.first(), io);
    if (!rule)
        return 2;
    if (!RuleTest::hasRequiredFields(*rule))
        return usageError(io, RuleTest::missingFieldsMessage());
    HttpClient http;
    RuleTest test(http);
    int code = 0;
    test.run(*rule, [&](const RuleTestResult &r) {
        if (r.page.isEmpty()) {
            io.err << RuleTest::nothingFetchedMessage() << '\n';
            code = 1;
        } else {
            io.out << Codec::toLf(r.title) << '\n' << Codec::toLf(r.body) << '\n';
        }
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    return code;
}

int articles(const QString &programDir, const QStringList &args, CliIo &io)
{
    if (!args.isEmpty())
        return usageError(io, QStringLiteral("articles takes no arguments"));
    ArticleStore store(programDir);
    bool ok = false;
    const auto rows = store.list(&ok);
    if (!ok) {
        io.err << "morvane-cli: cannot read the article store: " << store.errorText() << '\n';
        return 1;
    }
    for (const auto &[id, title] : rows)
        io.out << id << '\t' << Codec::toLf(title) << '\n';
    return 0;
}

} // namespace Cli
