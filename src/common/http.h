// HTTP access: a request value type, a plain result, a cancellable handler with a finished signal,
// and the client that enforces the time limit, the body cap and the redirect limit in one place.
// On top of it GetHtml fetches a page and decodes it as UTF-8 or GB2312 decided from the bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

struct HttpRequest
{
    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr qint64 DefaultMaxBodyBytes = 32LL * 1024 * 1024;

    HttpRequest() = default;
    explicit HttpRequest(const QString &address);
    explicit HttpRequest(const QUrl &address) : url(address) {}

    HttpRequest &setMethod(const QByteArray &m) { method = m; return *this; }
    HttpRequest &setBody(const QByteArray &b) { body = b; return *this; }
    HttpRequest &addHeader(const QByteArray &name, const QByteArray &value)
    {
        headers.append({name, value});
        return *this;
    }
    HttpRequest &setTimeout(int ms) { timeoutMs = ms; return *this; }
    HttpRequest &setMaxBodyBytes(qint64 bytes) { maxBodyBytes = bytes; return *this; }

    QUrl url;
    QByteArray method = "GET";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    int timeoutMs = 0;       // 0: the client's default
    qint64 maxBodyBytes = 0; // 0: the client's default
};

struct HttpResult
{
    // A response arrived whole; an HTTP error status with its page counts as a response.
    bool ok = false;
    int status = 0;
    QString errorText;
    QByteArray data;
};

class HttpHandler : public QObject
{
    Q_OBJECT
public:
    // Ends the request; finished is emitted with a failure unless it was emitted already.
    void cancel();
    bool isFinished() const { return m_done; }

signals:
    // Emitted once; the handler deletes itself afterwards.
    void finished(const HttpResult &result);

private:
    friend class HttpClient;
    explicit HttpHandler(QObject *parent);
    void attach(QNetworkReply *reply, int timeoutMs, qint64 maxBytes);
    void fail(const QString &why);
    void onReadyRead();
    void onFinished();
    void complete(const HttpResult &result);

    QPointer<QNetworkReply> m_reply;
    QTimer *m_deadline = nullptr;
    QByteArray m_buffer;
    qint64 m_maxBytes = HttpRequest::DefaultMaxBodyBytes;
    bool m_done = false;
};

class HttpClient : public QObject
{
    Q_OBJECT
public:
    explicit HttpClient(QObject *parent = nullptr);

    // Starts the request at once; the handler belongs to the client and deletes itself after
    // finished. A URL that is not http(s) fails (asynchronously, like any other failure).
    HttpHandler *start(const HttpRequest &request);

    // The time limit and body cap of requests that set none.
    void setDefaultTimeout(int ms) { m_defaultTimeoutMs = ms; }
    void setDefaultMaxBodyBytes(qint64 bytes) { m_defaultMaxBytes = bytes; }

    // Empties the cookie jar of this client.
    void clearCookies();
    QNetworkAccessManager *manager() const { return m_manager; }

private:
    QNetworkAccessManager *m_manager;
    int m_defaultTimeoutMs = HttpRequest::DefaultTimeoutMs;
    qint64 m_defaultMaxBytes = HttpRequest::DefaultMaxBodyBytes;
};

// True when the bytes read as UTF-8: a byte-order mark, or only well-formed sequences of up to
// four bytes with at least one byte above 0x7F. Bodies of fewer than 3 bytes are never UTF-8.
bool IsUtf8Body(const QByteArray &body);
// The body as text: UTF-8 when IsUtf8Body, else "GB2312" (decoded with GB18030).
QString DecodeBody(const QByteArray &body);

// Fetches url and calls done with the decoded body, or the empty text on any failure. done runs
// on context's thread and is dropped if context is destroyed first.
HttpHandler *GetHtml(HttpClient &http, const QString &url, QObject *context,
                     std::function<void(const QString &html)> done, int timeoutMs = 0);
