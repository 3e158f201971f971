#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <functional>

class QNetworkAccessManager;
class QTcpSocket;

// A tiny HTTP server for reply shapes the platform stand-in never sends
// (redirects, broken JSON, odd envelopes, slow or stalled answers). Answers
// each path with a scripted reply and records what it received; in front of
// the stand-in it passes on what it does not answer itself.
class ScriptedResponder : public QTcpServer
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray query;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        bool hang = false; // never answer
        int delayMs = 0;
    };

    explicit ScriptedResponder(QObject *parent = nullptr);
    QString baseUrl() const;
    // path may carry a query ("/p?type=x") to answer only that query.
    void script(const QByteArray &path, const Reply &reply) { m_replies.insert(path, reply); }
    void scriptJson(const QByteArray &path, const QByteArray &json, int status = 200);
    // Requests no script answers go on to this server (the stand-in).
    void forwardTo(const QString &baseUrl) { m_forward = baseUrl; }
    QList<Request> requests;
    // Asked before the scripts: fills the reply and returns true to answer.
    std::function<bool(const Request &, Reply &)> handler;
    // Every answer waits at least this long.
    int delayMs = 0;

private:
    void serve(QTcpSocket *socket, const Request &r);
    void answer(QTcpSocket *socket, const Reply &reply, int delay);
    QHash<QByteArray, Reply> m_replies;
    QString m_forward;
    QNetworkAccessManager *m_network = nullptr;
};
