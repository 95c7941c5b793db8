// Text helpers shared by the collectors, the rewriting and the query tools.
#include "common/text.h"

#include "common/seams.h"

#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cmath>

QString CutBetween(const QString &text, const QString &startMarker, const QString &endMarker,
                   int &position)
{
    if (position == 0)
        position = 1;
    const qsizetype from = qMax(position, 1) - 1;
    if (from > text.size())
        return QString();
    const qsizetype start = text.indexOf(startMarker, from);
    if (start < 0)
        return QString();
    const qsizetype c = start + startMarker.size(); // 0-based index just after the marker
    if (endMarker.isEmpty()) {
        position = int(c + 1);
        return text.mid(c);
    }
    const qsizetype d = text.indexOf(endMarker, c);
    if (d < 0) {
        position = 0;
        return QString();
    }
    position = int(d + 2); // 1-based position of the end marker, plus one
    return text.mid(c, d - c);
}

QString CutBetween(const QString &text, const QString &startMarker, const QString &endMarker)
{
    int position = 1;
    return CutBetween(text, startMarker, endMarker, position);
}

QString StripTags(const QString &html)
{
    static const QString mark = QStringLiteral("<br>");
    QString out;
    out.reserve(html.size() / 2);
    bool insideTag = true;    // text before the first ">" counts as inside a tag
    bool pendingCr = false;   // a kept CR waiting to see whether an LF pairs with it
    bool lastWasMark = false; // the output ends with a mark
    for (const QChar ch : html) {
        if (ch == u'<') {
            insideTag = true;
            continue;
        }
        if (ch == u'>') {
            insideTag = false;
            continue;
        }
        if (insideTag || ch == u' ')
            continue;
        if (pendingCr) {
            pendingCr = false;
            if (ch == u'\n') {
                // The CR is replaced by the mark, unless it would open the output or follow a mark.
                if (!out.isEmpty() && !lastWasMark) {
                    out += mark;
                    lastWasMark = true;
                }
                continue;
            }
            out += u'\r';
            lastWasMark = false;
        }
        if (ch == u'\r') {
            pendingCr = true;
            continue;
        }
        out += ch;
        lastWasMark = false;
    }
    if (pendingCr)
        out += u'\r';
    return out;
}

QString GetFileName(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return QStringLiteral("未知");
    return info.fileName();
}

void Delay(int milliseconds, QObject *context, std::function<void()> done)
{
    if (milliseconds <= 0) {
        done();
        return;
    }
    QPointer<QObject> guard(context);
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, context, [guard, done = std::move(done)] {
        if (guard)
            done();
    });
}

void FleaRandom(QList<qint32> &pList, RandomSource &random, bool pSet_Scan, bool pSet_Swap,
                qint32 pScan_Start, qint32 pScan_End, qint32 pSwap_Start, qint32 pSwap_End)
{
    const qint32 lower = 0;
    const qint32 upper = qint32(pList.size()) - 1;
    const qint32 swapStart = pSet_Swap ? pSwap_Start : lower;
    const qint32 swapEnd = pSet_Swap ? pSwap_End : upper;
    qint32 scanStart = lower;
    qint32 scanEnd = upper;
    if (pSet_Scan) {
        scanStart = pScan_Start;
        scanEnd = pScan_End;
    } else if (pSet_Swap) {
        scanStart = swapStart;
        scanEnd = swapEnd;
    }
    const qint64 n = qint64(swapEnd) - swapStart + 1;
    for (qint64 i = scanStart; i <= scanEnd; ++i) {
        const double r = random.next();
        const qint64 j = swapStart + qint64(std::floor(r * double(n)));
        // Indexes outside the array are skipped rather than written out of bounds.
        if (i < lower || i > upper || j < lower || j > upper)
            continue;
        pList.swapItemsAt(i, j);
    }
}

QStringView TrimChars(QStringView text, QStringView chars)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && chars.contains(text.at(b)))
        ++b;
    while (e > b && chars.contains(text.at(e - 1)))
        --e;
    return text.mid(b, e - b);
}

QString ClearVBCRlF(const QString &mStr, const QString &ClearStr)
{
    qsizetype begin = 0;
    qsizetype end = mStr.size();
    if (ClearStr == QStringLiteral("\r\n")) {
        while (end - begin >= 2 && mStr.at(end - 2) == u'\r' && mStr.at(end - 1) == u'\n')
            end -= 2;
        while (end - begin >= 2 && mStr.at(begin) == u'\r' && mStr.at(begin + 1) == u'\n')
            begin += 2;
    } else if (ClearStr.size() == 1) {
        const QChar c = ClearStr.at(0);
        while (end > begin && mStr.at(end - 1) == c)
            --end;
        while (end > begin && mStr.at(begin) == c)
            ++begin;
    }
    return mStr.mid(begin, end - begin);
}
