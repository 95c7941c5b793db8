// A small HTTP server on 127.0.0.1 for network tests.
#include "fixture_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

FixtureRoute FixtureRoute::page(const QByteArray &body, const QByteArray &contentType)
{
    FixtureRoute r;
    r.body = body;
    r.headers.append({"Content-Type", contentType});
    return r;
}

QByteArray RecordedRequest::header(const QByteArray &name) const
{
    for (const auto &[n, v] : headers) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    }
    return QByteArray();
}

FixtureServer::FixtureServer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &FixtureServer::onNewConnection);
}

FixtureServer::~FixtureServer() = default;

bool FixtureServer::start()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

quint16 FixtureServer::port() const
{
    return m_server->serverPort();
}

QString FixtureServer::url(const QString &pathAndQuery) const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(port()) + pathAndQuery;
}

void FixtureServer::route(const QString &pathAndQuery, const FixtureRoute &r)
{
    m_routes.insert(pathAndQuery, r);
}

void FixtureServer::page(const QString &pathAndQuery, const QByteArray &body)
{
    route(pathAndQuery, FixtureRoute::page(body));
}

int FixtureServer::requestCount(const QString &pathAndQuery) const
{
    int n = 0;
    for (const RecordedRequest &r : m_requests)
        n += QString::fromUtf8(r.target) == pathAndQuery ? 1 : 0;
    return n;
}

void FixtureServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        m_buffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void FixtureServer::onReadyRead(QTcpSocket *socket)
{
    if (!m_buffers.contains(socket)) {
        socket->readAll();
        return;
    }
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    RecordedRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    qsizetype contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
            contentLength = value.toLongLong();
    }
    if (buffer.size() < headerEnd + 4 + contentLength)
        return;
    request.body = buffer.mid(headerEnd + 4, contentLength);
    m_buffers.remove(socket); // one request per connection
    m_requests.append(request);
    emit requestReceived(request);
    answer(socket, request);
}

void FixtureServer::answer(QTcpSocket *socket, const RecordedRequest &request)
{
    const QString target = QString::fromUtf8(request.target);
    FixtureRoute r;
    if (m_routes.contains(target)) {
        r = m_routes.value(target);
    } else {
        const QString path = target.section(u'?', 0, 0);
        if (m_routes.contains(path)) {
            r = m_routes.value(path);
        } else {
            r.status = 404;
            r.body = "not found";
        }
    }
    if (r.neverAnswer)
        return;
    if (r.delayMs > 0) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(r.delayMs, this, [this, guard, r] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState)
                respond(guard, r);
        });
        return;
    }
    respond(socket, r);
}

void FixtureServer::respond(QTcpSocket *socket, const FixtureRoute &r)
{
    int status = r.status;
    QList<QPair<QByteArray, QByteArray>> headers = r.headers;
    if (!r.redirectTo.isEmpty()) {
        status = 302;
        const QString location = r.redirectTo.startsWith(u'/') ? url(r.redirectTo) : r.redirectTo;
        headers.append({"Location", location.toUtf8()});
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " Fixture\r\n";
    for (const auto &[n, v] : headers)
        head += n + ": " + v + "\r\n";
    head += "Connection: close\r\n";
    if (r.endless) {
        socket->write(head + "\r\n");
        auto *timer = new QTimer(socket);
        QPointer<QTcpSocket> guard(socket);
        connect(timer, &QTimer::timeout, socket, [guard, chunk = r.endlessChunk] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState
                && guard->bytesToWrite() < 4 * chunk.size())
                guard->write(chunk);
        });
        timer->start(r.endlessIntervalMs);
        return;
    }
    head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n";
    if (r.dropMidBody) {
        socket->write(head + r.body.left(r.body.size() / 2));
        socket->flush();
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + r.body);
    socket->disconnectFromHost();
}
