// HTTP access.
#include "common/http.h"

#include "common/codec.h"

#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

HttpRequest::HttpRequest(const QString &address) : url(QUrl(address, QUrl::TolerantMode)) {}

HttpHandler::HttpHandler(QObject *parent) : QObject(parent) {}

void HttpHandler::attach(QNetworkReply *reply, int timeoutMs, qint64 maxBytes)
{
    m_reply = reply;
    m_maxBytes = maxBytes;
    reply->setParent(this);
    connect(reply, &QNetworkReply::readyRead, this, &HttpHandler::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &HttpHandler::onFinished);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (!m_reply)
            return;
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBytes)
            fail(QStringLiteral("response body exceeds the size limit"));
    });
    // The limit covers the whole transfer, so a server that trickles an endless body ends too.
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { fail(QStringLiteral("timed out")); });
    m_deadline->start(timeoutMs);
}

void HttpHandler::cancel()
{
    fail(QStringLiteral("cancelled"));
}

void HttpHandler::fail(const QString &why)
{
    if (m_done)
        return;
    HttpResult result;
    result.errorText = why;
    complete(result);
}

void HttpHandler::onReadyRead()
{
    if (m_done || !m_reply)
        return;
    m_buffer += m_reply->readAll();
    if (m_buffer.size() > m_maxBytes)
        fail(QStringLiteral("response body exceeds the size limit"));
}

void HttpHandler::onFinished()
{
    if (m_done || !m_reply)
        return;
    onReadyRead();
    if (m_done)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = m_reply->error();
    HttpResult result;
    result.status = status.toInt();
    // Errors from 200 up are HTTP statuses reported as errors; the page that came with them is a
    // response like any other. Network-level errors (refused, dropped, redirect loops) are not.
    result.ok = error == QNetworkReply::NoError || (error >= 200 && status.isValid());
    if (result.ok)
        result.data = m_buffer;
    else
        result.errorText = m_reply->errorString();
    complete(result);
}

void HttpHandler::complete(const HttpResult &result)
{
    m_done = true;
    if (m_deadline)
        m_deadline->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        if (m_reply->isRunning())
            m_reply->abort();
    }
    m_buffer.clear();
    emit finished(result);
    deleteLater();
}

HttpClient::HttpClient(QObject *parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
    m_manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

HttpHandler *HttpClient::start(const HttpRequest &request)
{
    auto *handler = new HttpHandler(this);
    const QString scheme = request.url.scheme().toLower();
    if (!request.url.isValid() || request.url.host().isEmpty()
        || (scheme != u"http" && scheme != u"https")) {
        QTimer::singleShot(0, handler, [handler] {
            handler->fail(QStringLiteral("invalid address"));
        });
        return handler;
    }
    QNetworkRequest req(request.url);
    req.setMaximumRedirectsAllowed(10);
    for (const auto &[name, value] : request.headers)
        req.setRawHeader(name, value);
    QNetworkReply *reply = nullptr;
    const QByteArray method = request.method.toUpper();
    if (method == "GET")
        reply = m_manager->get(req);
    else if (method == "POST")
        reply = m_manager->post(req, request.body);
    else
        reply = m_manager->sendCustomRequest(req, method, request.body);
    handler->attach(reply, request.timeoutMs > 0 ? request.timeoutMs : m_defaultTimeoutMs,
                    request.maxBodyBytes > 0 ? request.maxBodyBytes : m_defaultMaxBytes);
    return handler;
}

void HttpClient::clearCookies()
{
    m_manager->setCookieJar(new QNetworkCookieJar(m_manager));
}

bool IsUtf8Body(const QByteArray &body)
{
    const qsizetype n = body.size();
    if (n < 3)
        return false;
    const auto *b = reinterpret_cast<const unsigned char *>(body.constData());
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return true;
    const auto cont = [&](qsizetype k) { return (b[k] & 0xC0) == 0x80; };
    qsizetype i = 0;
    qsizetype ascii = 0;
    while (i < n) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            ++ascii;
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < n && cont(i + 1)) {
            i += 2;
        } else if ((c & 0xF0) == 0xE0 && i + 2 < n && cont(i + 1) && cont(i + 2)) {
            i += 3;
        } else if ((c & 0xF8) == 0xF0 && i + 3 < n && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            // Four-byte sequences (emoji and other supplementary characters) are UTF-8 too;
            // taking such a page for GBK would garble every Chinese character in it.
            i += 4;
        } else {
            return false;
        }
    }
    return ascii != n;
}

QString DecodeBody(const QByteArray &body)
{
    if (body.isEmpty())
        return QString();
    if (IsUtf8Body(body)) {
        // The byte-order mark is not part of the page's text.
        return Codec::decodeUtf8(body.startsWith("\xEF\xBB\xBF") ? body.mid(3) : body);
    }
    return Codec::decodeAnsi(body);
}

HttpHandler *GetHtml(HttpClient &http, const QString &url, QObject *context,
                     std::function<void(const QString &html)> done, int timeoutMs)
{
    HttpRequest request(url);
    if (timeoutMs > 0)
        request.setTimeout(timeoutMs);
    HttpHandler *handler = http.start(request);
    QObject::connect(handler, &HttpHandler::finished, context,
                     [done = std::move(done)](const HttpResult &r) {
                         done(r.ok ? DecodeBody(r.data) : QString());
                     });
    return handler;
}
