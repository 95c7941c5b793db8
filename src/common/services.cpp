// Base URLs of every outside service.
#include "common/services.h"

#include "common/codec.h"
#include "common/program_dir.h"

#include <QFile>

namespace {

struct DefaultHost
{
    const char *key;
    const char *base;
};

constexpr DefaultHost defaults[] = {
    {ServiceHosts::Vendor, "http://www.morvane.com"},
    {ServiceHosts::LinkExchange, "http://link.morvane.com"},
    {ServiceHosts::Baidu, "http://www.baidu.com"},
    {ServiceHosts::Google, "http://www.google.com.hk"},
    {ServiceHosts::Aizhan, "http://www.aizhan.com"},
    {ServiceHosts::Yahoo, "http://siteexplorer.search.yahoo.com"},
    {ServiceHosts::Alexa, "http://data.alexa.com"},
    {ServiceHosts::Whois, "http://whois.morvane.com"},
    {ServiceHosts::Soso, "http://blog.soso.com"},
    {ServiceHosts::SinaBlog, "http://blog.sina.com.cn"},
    {ServiceHosts::Stats51la, "http://www.51.la"},
    {ServiceHosts::PageRank, "http://pr.morvane.com"},
};

QString withoutTrailingSlash(QString s)
{
    while (s.endsWith(u'/'))
        s.chop(1);
    return s;
}

} // namespace

ServiceHosts::ServiceHosts()
{
    for (const auto &d : defaults)
        m_bases.insert(QString::fromLatin1(d.key), QString::fromLatin1(d.base));
}

ServiceHosts::ServiceHosts(const QString &programDir) : ServiceHosts()
{
    QFile file(ProgramDir::file(programDir, QStringLiteral("services.ini")));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = Codec::decodeUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (m_bases.contains(key))
            m_bases.insert(key, withoutTrailingSlash(line.mid(eq + 1).trimmed().toString()));
    }
}

QString ServiceHosts::base(const QString &key) const
{
    return m_bases.value(key);
}

QString ServiceHosts::url(const QString &key, const QString &pathAndQuery) const
{
    return base(key) + pathAndQuery;
}

void ServiceHosts::set(const QString &key, const QString &baseUrl)
{
    m_bases.insert(key, withoutTrailingSlash(baseUrl));
}

QStringList ServiceHosts::keys()
{
    QStringList out;
    for (const auto &d : defaults)
        out << QString::fromLatin1(d.key);
    return out;
}
