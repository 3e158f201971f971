#include "ScriptedResponder.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

ScriptedResponder::ScriptedResponder(QObject *parent)
    : QTcpServer(parent)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            connect(s, &QTcpSocket::readyRead, this, [this, s, buffer] {
                buffer->append(s->readAll());
                const int headerEnd = buffer->indexOf("\r\n\r\n");
                if (headerEnd < 0)
                    return;
                Request r;
                const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
                const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
                r.method = first.value(0);
                const QByteArray target = first.value(1);
                r.path = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
                if (target.contains('?'))
                    r.query = target.mid(target.indexOf('?') + 1);
                for (int i = 1; i < lines.size(); ++i) {
                    const int colon = lines[i].indexOf(':');
                    if (colon > 0)
                        r.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
                }
                const int length = r.headers.value("content-length").toInt();
                if (buffer->size() < headerEnd + 4 + length)
                    return;
                r.body = buffer->mid(headerEnd + 4, length);
                disconnect(s, &QTcpSocket::readyRead, this, nullptr);
                requests.append(r);
                serve(s, r);
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

void ScriptedResponder::serve(QTcpSocket *s, const Request &r)
{
    Reply reply;
    if (handler && handler(r, reply))
        return answer(s, reply, qMax(reply.delayMs, delayMs));
    // "path?query" scripts win over the bare path.
    const QByteArray withQuery = r.path + '?' + r.query;
    if (m_replies.contains(withQuery) || m_replies.contains(r.path) || m_forward.isEmpty()) {
        reply = m_replies.value(withQuery, m_replies.value(r.path, Reply{404, "no such path", {}, false, 0}));
        return answer(s, reply, qMax(reply.delayMs, delayMs));
    }

    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(QUrl::fromEncoded(m_forward.toUtf8() + r.path + (r.query.isEmpty() ? QByteArray() : "?" + r.query)));
    for (const QByteArray &name : {QByteArray("content-type"), QByteArray("token")})
        if (r.headers.contains(name))
            request.setRawHeader(name, r.headers.value(name));
    QElapsedTimer clock;
    clock.start();
    QNetworkReply *passed = m_network->sendCustomRequest(request, r.method, r.body);
    QPointer<QTcpSocket> socket(s);
    connect(passed, &QNetworkReply::finished, this, [this, passed, socket, clock] {
        passed->deleteLater();
        if (!socket)
            return;
        Reply back;
        back.status = passed->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (back.status == 0)
            back.status = 502;
        back.body = passed->readAll();
        if (passed->hasRawHeader("Content-Type"))
            back.headers.append({"Content-Type", passed->rawHeader("Content-Type")});
        answer(socket, back, int(qMax<qint64>(0, delayMs - clock.elapsed())));
    });
}

void ScriptedResponder::answer(QTcpSocket *s, const Reply &reply, int delay)
{
    if (reply.hang)
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
    for (const auto &h : reply.headers)
        out += h.first + ": " + h.second + "\r\n";
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
    out += reply.body;
    QPointer<QTcpSocket> socket(s);
    QTimer::singleShot(delay, this, [this, socket, out] {
        if (!socket)
            return;
        socket->write(out);
        socket->disconnectFromHost();
    });
}

QString ScriptedResponder::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

void ScriptedResponder::scriptJson(const QByteArray &path, const QByteArray &json, int status)
{
    script(path, Reply{status, json, {{"Content-Type", "application/json"}}, false, 0});
}
