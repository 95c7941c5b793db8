// Inet: a transfer control that carries one HTTP request at a time and reports through state
// changes (11 failed, 12 complete); the body is then read in pieces with GetChunk.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringDecoder>

#include <functional>

class HttpClient;
class HttpHandler;
struct HttpResult;

class Inet : public QObject
{
    Q_OBJECT
public:
    static constexpr int StateError = 11;
    static constexpr int StateResponseCompleted = 12;

    explicit Inet(HttpClient &http, QObject *parent = nullptr);

    // Starts a "get" or "post" with form data and a header block of "Name: value" lines ended
    // by CR LF. Returns false (with errorText) without sending anything when a request is still
    // running or the operation is unknown.
    bool Execute(const QString &url, const QString &operation, const QByteArray &data = {},
                 const QString &headers = {});
    bool StillExecuting() const { return m_busy; }
    QString errorText() const { return m_errorText; }

    // After state 12: the next piece of the body, at most size bytes, decoded with GB18030 (a
    // character split between pieces comes out whole); empty when the body is used up.
    QString GetChunkText(int size);
    // After state 12: the next piece of the body as bytes.
    QByteArray GetChunkBytes(int size);

    // Fetches url and calls done with the whole body as GB18030 text, empty on failure.
    // Refused (done gets the empty text at once) while a request is running.
    void OpenURL(const QString &url, QObject *context, std::function<void(const QString &)> done);

    // Calls done once no request is running (at once when idle).
    void whenIdle(QObject *context, std::function<void()> done);

    // The request's time limit, 0 for the default.
    void setTimeout(int ms) { m_timeoutMs = ms; }

signals:
    void StateChanged(int state);
    void becameIdle();

private:
    void finish(const HttpResult &result);

    HttpClient &m_http;
    QPointer<HttpHandler> m_handler;
    QByteArray m_body;
    qsizetype m_offset = 0;
    QStringDecoder m_decoder;
    QString m_errorText;
    int m_timeoutMs = 0;
    bool m_busy = false;
};

// The header block of a form post: Referer, Content-Type and User-Agent lines, each with CR LF.
QString FormPostHeaders(const QString &referer);
