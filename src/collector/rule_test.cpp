// The rule test.
#include "collector/rule_test.h"

#include "common/http.h"
#include "common/text.h"

RuleTest::RuleTest(HttpClient &http, QObject *parent) : QObject(parent), m_http(http) {}

bool RuleTest::hasRequiredFields(const CollectionRule &rule)
{
    return !rule.NumStart.isEmpty() && !rule.NumEnd.isEmpty() && !rule.UrlPattern.isEmpty();
}

QString RuleTest::missingFieldsMessage()
{
    return QStringLiteral("请确保信息是否已经填写完整！");
}

QString RuleTest::nothingFetchedMessage()
{
    return QStringLiteral("获取信息失败，请确认好信息后再试！");
}

bool RuleTest::run(const CollectionRule &rule, std::function<void(const RuleTestResult &)> done)
{
    if (m_running)
        return false;
    m_running = true;
    GetHtml(m_http, Rules::testAddress(rule.UrlPattern, rule.NumStart), this,
            [this, rule, done = std::move(done)](const QString &html) {
                RuleTestResult r;
                r.page = html;
                r.title = CutBetween(html, rule.TitleStart, rule.TitleEnd);
                r.body = StripTags(CutBetween(html, rule.ContentStart, rule.ContentEnd));
                m_running = false;
                done(r);
            });
    return true;
}
