#include "ScriptedResponder.h"

#include <QTcpSocket>
#include <QTimer>

ScriptedResponder::ScriptedResponder(QObject *parent)
    : QTcpServer(parent)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection()) {
            auto *buffer = new QByteArray;
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
                delete buffer;
                disconnect(s, &QTcpSocket::readyRead, this, nullptr);
                requests.append(r);
                // "path?query" scripts win over the bare path.
                const Reply reply = m_replies.value(r.path + '?' + r.query,
                                                    m_replies.value(r.path, Reply{404, "no such path", {}, false, 0}));
                if (reply.hang)
                    return;
                QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
                for (const auto &h : reply.headers)
                    out += h.first + ": " + h.second + "\r\n";
                out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
                out += reply.body;
                QTimer::singleShot(reply.delayMs, s, [s, out] {
                    s->write(out);
                    s->disconnectFromHost();
                });
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
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
