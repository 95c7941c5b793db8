// Inet: one HTTP request at a time, reported through state changes.
#include "common/inet.h"

#include "common/codec.h"
#include "common/http.h"

#include <QTimer>

#include <memory>

Inet::Inet(HttpClient &http, QObject *parent)
    : QObject(parent), m_http(http), m_decoder("GB18030")
{
}

bool Inet::Execute(const QString &url, const QString &operation, const QByteArray &data,
                   const QString &headers)
{
    if (m_busy) {
        m_errorText = QStringLiteral("Still executing last request");
        return false;
    }
    const QString op = operation.toLower();
    if (op != u"get" && op != u"post") {
        m_errorText = QStringLiteral("Unknown operation: ") + operation;
        return false;
    }
    HttpRequest request(url);
    request.setMethod(op == u"post" ? QByteArray("POST") : QByteArray("GET"));
    if (op == u"post")
        request.setBody(data);
    if (m_timeoutMs > 0)
        request.setTimeout(m_timeoutMs);
    for (QStringView line : QStringView(headers).split(u"\r\n", Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0)
            continue;
        request.addHeader(line.left(colon).trimmed().toLatin1(),
                          line.mid(colon + 1).trimmed().toUtf8());
    }
    m_busy = true;
    m_body.clear();
    m_offset = 0;
    m_decoder.resetState();
    m_handler = m_http.start(request);
    connect(m_handler, &HttpHandler::finished, this, &Inet::finish);
    return true;
}

void Inet::finish(const HttpResult &result)
{
    m_busy = false;
    m_handler = nullptr;
    if (result.ok) {
        m_body = result.data;
        emit StateChanged(StateResponseCompleted);
    } else {
        m_errorText = result.errorText;
        emit StateChanged(StateError);
    }
    if (!m_busy)
        emit becameIdle();
}

QByteArray Inet::GetChunkBytes(int size)
{
    if (size <= 0 || m_offset >= m_body.size())
        return QByteArray();
    const QByteArray piece = m_body.mid(m_offset, size);
    m_offset += piece.size();
    return piece;
}

QString Inet::GetChunkText(int size)
{
    QString text = m_decoder.decode(GetChunkBytes(size));
    // A piece that ended inside a character gives no text yet: take bytes until it does, so that
    // an empty piece still means the body is used up.
    while (text.isEmpty() && m_offset < m_body.size())
        text = m_decoder.decode(GetChunkBytes(1));
    return text;
}

void Inet::OpenURL(const QString &url, QObject *context,
                   std::function<void(const QString &)> done)
{
    if (!Execute(url, QStringLiteral("get"))) {
        done(QString());
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &Inet::StateChanged, context,
                          [this, connection, done = std::move(done)](int state) {
                              disconnect(*connection);
                              done(state == StateResponseCompleted ? Codec::decodeAnsi(m_body)
                                                                   : QString());
                          });
}

void Inet::whenIdle(QObject *context, std::function<void()> done)
{
    if (!m_busy) {
        done();
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &Inet::becameIdle, context,
                          [connection, done = std::move(done)] {
                              disconnect(*connection);
                              done();
                          });
}

QString FormPostHeaders(const QString &referer)
{
    return QStringLiteral("Referer: ") + referer + QStringLiteral("\r\n")
           + QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n")
           + QStringLiteral("User-Agent: Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; "
                            "Trident/4.0; SLCC2; .NET CLR 2.0.50727; .NET CLR 3.5.30729; .NET CLR "
                            "3.0.30729; Media Center PC 6.0; Tablet PC 2.0)\r\n");
}
