// A collection rule: the page address pattern with "{N}", the number range, the title and body
// markers and the interval; stored as a .Rule file in the program directory's Rule folder.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct CollectionRule
{
    QString RuleName;
    QString UrlPattern = QStringLiteral("http://");
    QString NumStart;
    QString NumEnd;
    QString TitleStart;
    QString TitleEnd;
    QString ContentStart;
    QString ContentEnd;
    QString Interval;

    bool operator==(const CollectionRule &) const = default;
};

namespace Rules {

// The section of every rule file.
QString section();
// programDir/Rule
QString folder(const QString &programDir);
// programDir/Rule/<name>.Rule
QString filePath(const QString &programDir, const QString &ruleName);

// Reads the eight keys of a rule file; a missing key reads as the empty text. The rule name is
// not read (it is the file's name).
CollectionRule read(const QString &file);
// Writes the eight keys in their order, updating an existing file in place. False when the file
// could not be written.
bool write(const QString &file, const CollectionRule &rule);

// The number formed by the leading numeric part of text (sign, digits, decimal point, exponent;
// blanks skipped), 0 when there is none.
double numberValue(const QString &text);
// True when the whole text (blanks around it aside) reads as a number.
bool isNumeric(const QString &text);
// n as a plain number: no padding, no separators, a point only for fractions.
QString plainNumber(double n);

enum class SaveCheck { Ok, MissingField, InvalidRange };
// The two checks of saving: required fields, then range and pattern.
SaveCheck checkForSave(const CollectionRule &rule);

// The name of the rule's file is safe: no path separators, no characters a file name cannot
// hold, no control characters, not "." or "..".
bool isSafeRuleName(const QString &name);

// Most entries a page list holds.
constexpr int MaxPages = 32767;

// One address per number from NumStart to NumEnd (number values, step 1), the first "{N}" of the
// pattern replaced. Empty when start > end; nothing (with the count in *pages) when the range
// would give more than MaxPages addresses.
std::optional<QStringList> pageList(const QString &pattern, const QString &numStart,
                                    const QString &numEnd, qint64 *pages = nullptr);

// The rule test's address: every "{N}" replaced by the start number exactly as typed.
QString testAddress(const QString &pattern, const QString &numStart);

// The message shown when a range would give too many pages.
QString tooManyPagesMessage(qint64 pages);

} // namespace Rules
