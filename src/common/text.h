// Text helpers shared by the collectors, the rewriting and the query tools: marker cutting, HTML
// stripping, file names, an asynchronous delay, the in-place shuffle and delimiter trimming.
// Positions are 1-based and count UTF-16 code units.
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QObject;
class RandomSource;

// The text strictly between the first startMarker at or after position and the next endMarker.
// position is in-out: 0 counts as 1; a missing start marker leaves it alone, a missing end marker
// sets it to 0, a hit sets it to one past the beginning of the end marker; an empty end marker
// takes the rest of the text and sets it just after the start marker.
QString CutBetween(const QString &text, const QString &startMarker, const QString &endMarker,
                   int &position);
QString CutBetween(const QString &text, const QString &startMarker, const QString &endMarker);

// Text outside tags, spaces dropped, CR LF pairs turned into single "<br>" marks (none at the
// beginning, none twice in a row). Linear time.
QString StripTags(const QString &html);

// The name of the file at path, or "未知" when no file exists there.
QString GetFileName(const QString &path);

// Calls done after milliseconds without blocking the event loop; at once (synchronously) when
// milliseconds is 0 or less. done is dropped if context is destroyed first.
void Delay(int milliseconds, QObject *context, std::function<void()> done);

// Shuffles list in place by swapping each scanned position with a position drawn from the swap
// range: one draw per scanned position, in index order (not Fisher-Yates).
void FleaRandom(QList<qint32> &pList, RandomSource &random, bool pSet_Scan = false,
                bool pSet_Swap = false, qint32 pScan_Start = 0, qint32 pScan_End = 0,
                qint32 pSwap_Start = 0, qint32 pSwap_End = 0);

// text without the characters of chars at both ends (only those: " " trims spaces but not tabs).
QStringView TrimChars(QStringView text, QStringView chars);

// mStr without the runs of ClearStr at its end and then at its start. ClearStr is either CR LF
// or compared against single characters (so a longer or empty delimiter removes nothing).
QString ClearVBCRlF(const QString &mStr, const QString &ClearStr);
