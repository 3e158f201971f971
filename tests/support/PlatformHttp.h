#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

class PlatformFixture;

// One HTTP reply as the platform tests look at it.
struct HttpReply
{
    int status = 0;          // HTTP status, 0 when there was none
    QByteArray body;
    QJsonObject json;        // the body when it is a JSON object
    QList<QPair<QByteArray, QByteArray>> headers;

    bool isEnvelope() const { return json.contains("code") && json.contains("msg") && json.contains("data"); }
    int code() const { return json.value("code").toInt(-1); }
    QString msg() const { return json.value("msg").toString(); }
    QJsonObject data() const { return json.value("data").toObject(); }
    QByteArray header(const QByteArray &name) const;
};

// Talks to a running platform stand-in over real sockets, waiting for each
// reply in a local event loop.
class PlatformHttp
{
public:
    explicit PlatformHttp(const QString &baseUrl, const QString &token = QString());

    // Logs in and keeps the token for later requests; empty on failure.
    QString login(const QString &user = QStringLiteral("teacher01"), const QString &password = QStringLiteral("123456"));
    void setToken(const QString &token) { m_token = token; }
    QString token() const { return m_token; }

    HttpReply get(const QString &pathAndQuery, const QList<QPair<QByteArray, QByteArray>> &headers = {});
    // JSON POST with the client's two headers (token omitted when empty).
    HttpReply post(const QString &pathAndQuery, const QJsonObject &body);
    // The first page of a list, by default the teacher's own decks.
    HttpReply list(const QString &path = QStringLiteral("/v2.0/client/FileClass/list"), int pageSize = 100);
    // A multipart request with one part, as the client sends uploads.
    HttpReply upload(const QByteArray &data, const QString &fileName, const QByteArray &contentType,
                     const QByteArray &partName = "file", bool withToken = false);
    // Bytes written as they are to the socket (for requests a URL parser
    // would clean up); the reply is read until the server closes or stays
    // silent for idleMs. Status 0 and the bytes as body when it is not HTTP.
    HttpReply raw(const QByteArray &request, int idleMs = 10000);
    // A whole request for raw(): JSON body, token header when not empty.
    static QByteArray request(const QByteArray &method, const QString &pathAndQuery, const QByteArray &body = {},
                              const QByteArray &token = {});

    QString baseUrl() const { return m_base; }
    quint16 port() const;

private:
    HttpReply finish(class QNetworkReply *reply);

    QString m_base;
    QString m_token;
    QNetworkAccessManager m_nam;
};

// Starts the stand-in and logs teacher01 in; null when either failed.
std::unique_ptr<PlatformHttp> startLoggedIn(PlatformFixture &platform, const QStringList &args = {"--no-office"});

// Runs work(i) for i in [0, n) on n threads at once; false if one hung.
bool inParallel(int n, const std::function<void(int)> &work);
