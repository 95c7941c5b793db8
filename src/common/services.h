// Base URLs of every outside service, with defaults, overridable per program directory through
// services.ini (lines "key = base URL"). Paths and query keys are added by the callers.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class ServiceHosts
{
public:
    // Keys of the table.
    static constexpr const char *Vendor = "vendor";           // the vendor's site
    static constexpr const char *LinkExchange = "linkexchange"; // the link-exchange site
    static constexpr const char *Baidu = "baidu";             // Baidu web search
    static constexpr const char *Google = "google";           // Google search
    static constexpr const char *Aizhan = "aizhan";           // aizhan site rank
    static constexpr const char *Yahoo = "yahoo";             // Yahoo Site Explorer
    static constexpr const char *Alexa = "alexa";             // Alexa's data service
    static constexpr const char *Whois = "whois";             // the whois service
    static constexpr const char *Soso = "soso";               // soso blog search
    static constexpr const char *SinaBlog = "sinablog";       // Sina blog
    static constexpr const char *Stats51la = "51la";          // 51la statistics
    static constexpr const char *PageRank = "pagerank";       // the PageRank page

    // The defaults only.
    ServiceHosts();
    // The defaults, overridden by programDir/services.ini when present.
    explicit ServiceHosts(const QString &programDir);

    // Base URL without a trailing slash; empty for an unknown key.
    QString base(const QString &key) const;
    // base(key) followed by pathAndQuery ("/software/wyc/info.txt").
    QString url(const QString &key, const QString &pathAndQuery) const;
    void set(const QString &key, const QString &baseUrl);

    static QStringList keys();

private:
    QHash<QString, QString> m_bases;
};
