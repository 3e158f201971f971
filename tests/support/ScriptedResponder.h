#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QTcpServer>

// A tiny HTTP server for reply shapes the platform stand-in never sends
// (redirects, broken JSON, odd envelopes). Answers each path with a scripted
// reply and records what it received.
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
    QList<Request> requests;

private:
    void serve(QTcpSocket *socket);
    QHash<QByteArray, Reply> m_replies;
};
