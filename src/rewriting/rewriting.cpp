// Pseudo-original rewriting.
#include "rewriting/rewriting.h"

#include "common/text.h"
#include "rewriting/synonym_pass.h"

#include <QStringList>

QString splitDelimiter(SplitMode mode)
{
    switch (mode) {
    case SplitMode::Paragraph:
        return QStringLiteral("\r\n");
    case SplitMode::Sentence:
        return QStringLiteral("。");
    case SplitMode::None:
        break;
    }
    return QString();
}

std::optional<QString> WycProcess(const QString &text, SplitMode mode, bool synonyms,
                                  const SynonymPass &pass, RandomSource &random,
                                  const RewriteProgress &progress)
{
    if (text.size() < 10)
        return std::nullopt;
    const QString delimiter = splitDelimiter(mode);
    const QString crlf = QStringLiteral("\r\n");
    const QString blank = QStringLiteral("\r\n\r\n");

    QString body = text;
    while (body.contains(blank))
        body.replace(blank, crlf);
    body = ClearVBCRlF(body, crlf);

    const QStringList pieces = delimiter.isEmpty() ? QStringList{body} : body.split(delimiter);
    QList<qint32> order(pieces.size());
    for (qint32 i = 0; i < qint32(order.size()); ++i)
        order[i] = i;
    FleaRandom(order, random);

    const int last = int(pieces.size()) - 1;
    if (progress.setValue)
        progress.setValue(0);
    if (last != 0 && progress.setMaximum)
        progress.setMaximum(last);
    QString result;
    result.reserve(body.size() + delimiter.size());
    for (int j = 0; j <= last; ++j) {
        result += pieces.at(order.at(j));
        result += delimiter;
        if (j % 4 == 0 && progress.setValue)
            progress.setValue(j);
    }
    if (progress.setValue)
        progress.setValue(last);
    result = ClearVBCRlF(result, delimiter);

    if (synonyms) {
        if (pass.size() - 1 != 0 && progress.setMaximum)
            progress.setMaximum(pass.size() - 1);
        result = pass.apply(result, [&progress](int k) {
            if (progress.setValue)
                progress.setValue(k);
        });
    }
    return result;
}
