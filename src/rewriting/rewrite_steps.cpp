// The two post-processing steps of a collector.
#include "rewriting/rewrite_steps.h"

#include "rewriting/keyword_store.h"

QString seoDoneLine()
{
    return QStringLiteral("关键词优化处理中....关键词优化完成！");
}

QString wycDoneLine()
{
    return QStringLiteral("文章伪原创处理完成！");
}

ArticleStep makeSeoStep(const QString &programDir, LogSink log)
{
    return [programDir, log = std::move(log)](QString &article) {
        KeywordStore store(programDir);
        const std::optional<QList<KeywordLink>> rows = store.rows(true);
        if (!rows) {
            log(QStringLiteral("关键词优化失败，无法读取关键词库：") + store.errorText());
            return;
        }
        article = SeoProcess(article, *rows);
        log(seoDoneLine());
    };
}

ArticleStep makeWycStep(const SynonymPass &pass, RandomSource &random,
                        std::function<SplitMode()> mode, LogSink log, RewriteProgress progress)
{
    return [&pass, &random, mode = std::move(mode), log = std::move(log),
            progress = std::move(progress)](QString &article) {
        // The synonym switch (Chk1) is always on.
        const std::optional<QString> result = WycProcess(article, mode(), true, pass, random,
                                                         progress);
        if (!result)
            return; // under 10 characters: left as it is, no note
        article = *result;
        log(wycDoneLine());
    };
}
