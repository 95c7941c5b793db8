// A small HTTP server on 127.0.0.1 for network tests: routes defined by the test (exact bytes,
// status, headers, a delay, a redirect, a connection dropped mid-body, a body that never ends, a
// request never answered), and a record of every request received.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QTcpServer;
class QTcpSocket;

struct FixtureRoute
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int delayMs = 0;          // wait this long before answering
    bool neverAnswer = false; // read the request, then stay silent
    bool dropMidBody = false; // announce the whole body, send half of it, close
    bool endless = false;     // a body without end: endlessChunk every endlessIntervalMs
    QByteArray endlessChunk = QByteArray(64 * 1024, 'x');
    int endlessIntervalMs = 1;
    QString redirectTo;       // answer 302 with this Location

    static FixtureRoute page(const QByteArray &body, const QByteArray &contentType = "text/html");
};

struct RecordedRequest
{
    QByteArray method;
    QByteArray target; // path with query
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QByteArray header(const QByteArray &name) const;
};

class FixtureServer : public QObject
{
    Q_OBJECT
public:
    explicit FixtureServer(QObject *parent = nullptr);
    ~FixtureServer() override;

    // Listens on 127.0.0.1 on a free port.
    bool start();
    quint16 port() const;
    // http://127.0.0.1:port + pathAndQuery
    QString url(const QString &pathAndQuery = QStringLiteral("/")) const;

    // A route matches the request target exactly, or else its path without the query.
    void route(const QString &pathAndQuery, const FixtureRoute &r);
    void page(const QString &pathAndQuery, const QByteArray &body);

    QList<RecordedRequest> requests() const { return m_requests; }
    int requestCount(const QString &pathAndQuery) const;
    void clearRequests() { m_requests.clear(); }

signals:
    void requestReceived(const RecordedRequest &request);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const RecordedRequest &request);
    void respond(QTcpSocket *socket, const FixtureRoute &r);

    QTcpServer *m_server;
    QHash<QString, FixtureRoute> m_routes;
    QList<RecordedRequest> m_requests;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
