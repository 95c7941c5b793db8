// The rule test: fetches the page for the start number as typed (every "{N}" replaced), cuts
// title and body with the rule's markers and always strips the body's HTML. Nothing is stored.
#pragma once

#include "collector/collection_rule.h"

#include <QObject>

#include <functional>

class HttpClient;

struct RuleTestResult
{
    QString page; // the fetched page text; empty when nothing was fetched
    QString title;
    QString body;
};

class RuleTest : public QObject
{
    Q_OBJECT
public:
    explicit RuleTest(HttpClient &http, QObject *parent = nullptr);

    static bool hasRequiredFields(const CollectionRule &rule);
    static QString missingFieldsMessage();
    static QString nothingFetchedMessage();

    // Starts a test; false (nothing started) while another test waits for its page.
    bool run(const CollectionRule &rule, std::function<void(const RuleTestResult &)> done);
    bool isRunning() const { return m_running; }

private:
    HttpClient &m_http;
    bool m_running = false;
};
