// morvane-cli harvest, test-rule and articles: the collector without windows.
#include "articles/article_export.h"
#include "articles/article_store.h"
#include "cli/cli_commands.h"
#include "collector/collection_engine.h"
#include "collector/collection_rule.h"
#include "collector/rule_test.h"
#include "common/codec.h"
#include "common/http.h"
#include "common/process_sound.h"
#include "common/fso.h"
#include "common/program_dir.h"
#include "common/random.h"
#include "rewriting/rewrite_steps.h"
#include "rewriting/rewriting.h"
#include "rewriting/synonym_pass.h"

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

// The program directory's dictionary; nothing (with the reason said) when it is missing.
std::optional<SynonymTable> loadDictionary(const QString &programDir, CliIo &io)
{
    const QString path = SynonymDict::path(programDir);
    if (!QFileInfo(path).isFile()) {
        usageError(io, QStringLiteral("词典文件损坏或丢失，请到官网下载完整安装包！ (") + path + u')');
        return std::nullopt;
    }
    FSO fso;
    fso.OpenFile(path);
    return SynonymDict::parse(fso.GetFileText());
}

std::optional<SplitMode> parseShuffle(const QString &value)
{
    if (value == u"none")
        return SplitMode::None;
    if (value == u"paragraph")
        return SplitMode::Paragraph;
    if (value == u"sentence")
        return SplitMode::Sentence;
    return std::nullopt;
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
    bool seo = false;
    bool wyc = false;
    SplitMode mode = SplitMode::None;
    std::optional<int> periodMs;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--strip-html") {
            stripHtml = true;
        } else if (a == u"--sound") {
            sound = true;
        } else if (a == u"--seo") {
            seo = true;
        } else if (a == u"--wyc") {
            wyc = true;
        } else if (a == u"--shuffle") {
            const std::optional<SplitMode> m = parseShuffle(args.value(i + 1));
            if (!m)
                return usageError(io, QStringLiteral("--shuffle takes none, paragraph or sentence"));
            mode = *m;
            ++i;
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

    SynonymTable dictionary;
    if (wyc) {
        const std::optional<SynonymTable> loaded = loadDictionary(programDir, io);
        if (!loaded)
            return 2;
        dictionary = *loaded;
    }
    const SynonymPass pass(dictionary);
    SeededRandom random;

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
    options.seo = seo;
    options.wyc = wyc;
    engine.setOptionsSource([options] { return options; });
    const LogSink log = [&io](const QString &m) {
        io.out << logLine(m) << '\n';
        io.out.flush();
    };
    engine.setSeoStep(makeSeoStep(programDir, log));
    engine.setWycStep(makeWycStep(pass, random, [mode] { return mode; }, log));
    bool saveFailed = false;
    QObject::connect(&engine, &CollectionEngine::log, &engine, log);
    QObject::connect(&engine, &CollectionEngine::saveFailed, &engine,
                     [&saveFailed] { saveFailed = true; });
    QObject::connect(&engine, &CollectionEngine::runEnded, &engine,
                     [] { QCoreApplication::exit(0); });
    engine.setPages(*pages);
    engine.startWithPeriod(*periodMs);
    QCoreApplication::exec();
    return saveFailed ? 1 : 0;
}

int rewrite(const QString &programDir, const QStringList &args, CliIo &io, QTextStream &in)
{
    SplitMode mode = SplitMode::None;
    bool synonyms = true;
    std::optional<quint64> seed;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == u"--shuffle") {
            const std::optional<SplitMode> m = parseShuffle(args.value(i + 1));
            if (!m)
                return usageError(io, QStringLiteral("--shuffle takes none, paragraph or sentence"));
            mode = *m;
            ++i;
        } else if (a == u"--no-synonyms") {
            synonyms = false;
        } else if (a == u"--seed") {
            bool ok = false;
            const quint64 value = args.value(i + 1).toULongLong(&ok);
            if (!ok)
                return usageError(io, QStringLiteral("--seed needs a whole number"));
            seed = value;
            ++i;
        } else {
            return usageError(io, QStringLiteral("unexpected argument: ") + a);
        }
    }
    SynonymTable table;
    if (synonyms) {
        const std::optional<SynonymTable> loaded = loadDictionary(programDir, io);
        if (!loaded)
            return 2;
        table = *loaded;
    }
    const SynonymPass pass(table);
    SeededRandom random = seed ? SeededRandom(*seed) : SeededRandom();
    in.setEncoding(QStringConverter::Utf8);
    const QString text = Codec::toCrLf(in.readAll());
    const std::optional<QString> result = WycProcess(text, mode, synonyms, pass, random);
    io.out << Codec::toLf(result.value_or(text));
    return 0;
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

int exportArticles(const QString &programDir, const QStringList &args, CliIo &io)
{
    if (args.size() != 1)
        return usageError(io, QStringLiteral("export needs exactly one folder"));
    const QString folder = args.first();
    if (!QFileInfo(folder).isDir())
        return usageError(io, QStringLiteral("no such folder: ") + folder);
    ArticleStore store(programDir);
    qint64 written = 0;
    qint64 skipped = 0;
    bool failed = false;
    const bool read = store.forEachNewestFirst([&](const Article &a) {
        QString error;
        switch (ArticleExport::write(folder, a.title, a.content, &error)) {
        case ArticleExport::Result::Written:
            ++written;
            break;
        case ArticleExport::Result::Skipped:
            ++skipped;
            io.err << "skipped: " << Codec::toLf(a.title) << '\n';
            break;
        case ArticleExport::Result::Failed:
            ++skipped;
            failed = true;
            io.err << "not written: " << Codec::toLf(a.title) << " (" << error << ")\n";
            break;
        }
        return true;
    });
    if (!read) {
        io.err << "morvane-cli: cannot read the article store: " << store.errorText() << '\n';
        return 1;
    }
    io.out << "written " << written << ", skipped " << skipped << '\n';
    return failed ? 1 : 0;
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
