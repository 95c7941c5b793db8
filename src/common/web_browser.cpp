// WebBrowser: the embedded web view.
#include "common/web_browser.h"

#include "common/http.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// A text as a JavaScript expression, so that no page content is ever pasted into script.
QString jsString(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json) + QStringLiteral("[0]");
}

} // namespace

WebBrowser::WebBrowser(QWidget *parent) : QWidget(parent), m_view(new QWebEngineView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadStarted, this, [this] {
        m_busy = true;
        m_readyState = 1;
    });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_busy = false;
        m_readyState = 4;
        emit DocumentComplete(LocationURL(), ok);
    });
}

void WebBrowser::Navigate(const QString &address)
{
    const QFileInfo local(address);
    const QUrl url = (!address.contains(QStringLiteral("://")) && local.isAbsolute())
                         ? QUrl::fromLocalFile(address)
                         : QUrl::fromUserInput(address);
    m_busy = true;
    m_readyState = 1;
    m_view->load(url);
}

QString WebBrowser::LocationURL() const
{
    const QUrl url = m_view->url();
    return url.isEmpty() ? QString() : url.toString();
}

void WebBrowser::links(std::function<void(const QStringList &)> done) const
{
    static const QString script = QStringLiteral(
        "Array.prototype.map.call(document.getElementsByTagName('a'),"
        " function (a) { return a.href || ''; })");
    m_view->page()->runJavaScript(script, [done = std::move(done)](const QVariant &result) {
        done(result.toStringList());
    });
}

void WebBrowser::readEditableBody(std::function<void(bool, const QString &)> done) const
{
    static const QString script = QStringLiteral(
        "(function () { var f = window.frames[0];"
        " if (!f || !f.document || !f.document.body) return null;"
        " return f.document.body.innerHTML; })()");
    m_view->page()->runJavaScript(script, [done = std::move(done)](const QVariant &result) {
        done(result.isValid() && !result.isNull(), result.toString());
    });
}

void WebBrowser::writeEditableBody(const QString &html, std::function<void(bool)> done)
{
    const QString script = QStringLiteral("(function (h) { var f = window.frames[0];"
                                          " if (!f || !f.document || !f.document.body) return false;"
                                          " f.document.body.innerHTML = h; return true; })(")
                           + jsString(html) + QStringLiteral(")");
    m_view->page()->runJavaScript(script, [done = std::move(done)](const QVariant &result) {
        if (done)
            done(result.toBool());
    });
}

void ClearCookies(HttpClient &http)
{
    http.clearCookies();
    QWebEngineProfile::defaultProfile()->cookieStore()->deleteAllCookies();
}
