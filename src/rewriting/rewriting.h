// Pseudo-original rewriting (WycProcess): the article's paragraphs or sentences shuffled, then
// its words replaced from the synonym table.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class RandomSource;
class SynonymPass;

enum class SplitMode { None, Paragraph, Sentence };

// Where the rewriting reports its progress (a progress bar); either part may be empty.
struct RewriteProgress
{
    std::function<void(int)> setMaximum;
    std::function<void(int)> setValue;
};

// The rewritten text, or nothing for a text shorter than 10 characters (left as it is).
std::optional<QString> WycProcess(const QString &text, SplitMode mode, bool synonyms,
                                  const SynonymPass &pass, RandomSource &random,
                                  const RewriteProgress &progress = {});

// The delimiter of a split mode: CR LF, "。" or the empty text.
QString splitDelimiter(SplitMode mode);
