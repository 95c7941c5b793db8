// A collection rule and its file.
#include "collector/collection_rule.h"

#include "collector/profile_file.h"
#include "common/program_dir.h"

#include <QLocale>

#include <cmath>

namespace Rules {

namespace {

struct KeyField
{
    const char16_t *key;
    QString CollectionRule::*field;
};

const KeyField keyFields[] = {
    {u"批量形式", &CollectionRule::UrlPattern},   {u"数字开始", &CollectionRule::NumStart},
    {u"数字结束", &CollectionRule::NumEnd},       {u"标题开始", &CollectionRule::TitleStart},
    {u"标题结束", &CollectionRule::TitleEnd},     {u"正文开始", &CollectionRule::ContentStart},
    {u"正文结束", &CollectionRule::ContentEnd},   {u"时间间隔", &CollectionRule::Interval},
};

} // namespace

QString section()
{
    return QStringLiteral("规则列表");
}

QString folder(const QString &programDir)
{
    return ProgramDir::file(programDir, QStringLiteral("Rule"));
}

QString filePath(const QString &programDir, const QString &ruleName)
{
    return ProgramDir::file(folder(programDir), ruleName + QStringLiteral(".Rule"));
}

CollectionRule read(const QString &file)
{
    CollectionRule rule;
    for (const KeyField &kf : keyFields)
        rule.*kf.field = ProfileFile::ReadRuleValue(file, section(), QString::fromUtf16(kf.key),
                                                    QString());
    return rule;
}

bool write(const QString &file, const CollectionRule &rule)
{
    bool ok = true;
    for (const KeyField &kf : keyFields)
        ok = ProfileFile::WriteRuleValue(file, section(), QString::fromUtf16(kf.key),
                                         rule.*kf.field)
                 != u"0"
             && ok;
    return ok;
}

double numberValue(const QString &text)
{
    QString s;
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            s += c;
    }
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        number += s.at(i++);
    bool digits = false;
    while (i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9') {
        number += s.at(i++);
        digits = true;
    }
    if (i < s.size() && s.at(i) == u'.') {
        number += s.at(i++);
        while (i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9') {
            number += s.at(i++);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E' || s.at(i) == u'd' || s.at(i) == u'D')) {
        QString exponent = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s.at(j) == u'+' || s.at(j) == u'-'))
            exponent += s.at(j++);
        const qsizetype firstDigit = j;
        while (j < s.size() && s.at(j) >= u'0' && s.at(j) <= u'9')
            exponent += s.at(j++);
        if (j > firstDigit)
            number += exponent;
    }
    const double v = QLocale::c().toDouble(number);
    return std::isfinite(v) ? v : 0;
}

bool isNumeric(const QString &text)
{
    QString t = text.trimmed();
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v);
}

QString plainNumber(double n)
{
    if (n == 0)
        return QStringLiteral("0");
    return QLocale::c().toString(n, 'f', QLocale::FloatingPointShortest);
}

SaveCheck checkForSave(const CollectionRule &rule)
{
    if (rule.NumStart.isEmpty() || rule.NumEnd.isEmpty() || rule.UrlPattern.isEmpty()
        || rule.Interval.isEmpty() || rule.TitleEnd.isEmpty())
        return SaveCheck::MissingField;
    const bool valid = numberValue(rule.NumEnd) > numberValue(rule.NumStart)
                       && isNumeric(rule.NumStart) && numberValue(rule.NumStart) != 0
                       && rule.UrlPattern.contains(QStringLiteral("{N}"));
    return valid ? SaveCheck::Ok : SaveCheck::InvalidRange;
}

bool isSafeRuleName(const QString &name)
{
    if (name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F
            || QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

std::optional<QStringList> pageList(const QString &pattern, const QString &numStart,
                                    const QString &numEnd, qint64 *pages)
{
    const double a = numberValue(numStart);
    const double b = numberValue(numEnd);
    const double span = b - a;
    const qint64 count = span < 0 ? 0 : (span >= 1e15 ? qint64(1e15) : qint64(std::floor(span)) + 1);
    if (pages)
        *pages = count;
    if (count > MaxPages)
        return std::nullopt;
    QStringList list;
    list.reserve(count);
    const qsizetype at = pattern.indexOf(QStringLiteral("{N}"));
    for (qint64 k = 0; k < count; ++k) {
        const double n = a + double(k);
        if (at < 0) {
            list << pattern;
        } else {
            QString url = pattern;
            url.replace(at, 3, plainNumber(n));
            list << url;
        }
    }
    return list;
}

QString testAddress(const QString &pattern, const QString &numStart)
{
    QString url = pattern;
    return url.replace(QStringLiteral("{N}"), numStart);
}

QString tooManyPagesMessage(qint64 pages)
{
    return QStringLiteral("数字区间包含 ") + QString::number(pages)
           + QStringLiteral(" 个页面，超过了 32767 个的上限，请缩小数字区间后重新导入。");
}

} // namespace Rules
