// The two post-processing steps of a collector as the collection engine runs them: the
// keyword-link step (table read afresh for every article) and the rewriting step, each writing
// its completion line to the collector's log.
#pragma once

#include "rewriting/rewriting.h"

#include <QString>

#include <functional>

class RandomSource;
class SynonymPass;

using ArticleStep = std::function<void(QString &article)>;
using LogSink = std::function<void(const QString &message)>;

// A keyword store that cannot be read leaves the article unchanged and logs the failure.
ArticleStep makeSeoStep(const QString &programDir, LogSink log);

// mode is read for every article, so a change of the options applies from the next one.
ArticleStep makeWycStep(const SynonymPass &pass, RandomSource &random,
                        std::function<SplitMode()> mode, LogSink log,
                        RewriteProgress progress = {});

QString seoDoneLine();
QString wycDoneLine();
