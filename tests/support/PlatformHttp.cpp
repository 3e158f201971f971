#include "PlatformHttp.h"
#include "PlatformFixture.h"

#include <QEventLoop>
#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

QByteArray HttpReply::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

PlatformHttp::PlatformHttp(const QString &baseUrl, const QString &token)
    : m_base(baseUrl)
    , m_token(token)
{
}

quint16 PlatformHttp::port() const
{
    return quint16(QUrl(m_base).port());
}

HttpReply PlatformHttp::finish(QNetworkReply *reply)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // Only a guard against a hung server; no test measures time.
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    HttpReply r;
    if (!reply->isFinished())
        reply->abort();
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.body = reply->readAll();
    r.headers = reply->rawHeaderPairs();
    const QJsonDocument doc = QJsonDocument::fromJson(r.body);
    if (doc.isObject())
        r.json = doc.object();
    reply->deleteLater();
    return r;
}

QString PlatformHttp::login(const QString &user, const QString &password)
{
    QUrl url(m_base + "/v2.0/login/LoginController/login");
    url.setQuery("username=" + QUrl::toPercentEncoding(user) + "&password=" + QUrl::toPercentEncoding(password) + "&userType=3");
    const HttpReply r = finish(m_nam.get(QNetworkRequest(url)));
    m_token = r.code() == 1 ? r.data().value("token").toString() : QString();
    return m_token;
}

HttpReply PlatformHttp::get(const QString &pathAndQuery, const QList<QPair<QByteArray, QByteArray>> &headers)
{
    QNetworkRequest req(QUrl(m_base + pathAndQuery));
    for (const auto &h : headers)
        req.setRawHeader(h.first, h.second);
    return finish(m_nam.get(req));
}

HttpReply PlatformHttp::post(const QString &pathAndQuery, const QJsonObject &body)
{
    QNetworkRequest req(QUrl(m_base + pathAndQuery));
    req.setRawHeader("Content-Type", "application/json");
    if (!m_token.isEmpty())
        req.setRawHeader("token", m_token.toUtf8());
    return finish(m_nam.post(req, QJsonDocument(body).toJson()));
}

HttpReply PlatformHttp::list(const QString &path, int pageSize)
{
    return post(path, {{"pageNum", "1"}, {"pageSize", QString::number(pageSize)}});
}

HttpReply PlatformHttp::upload(const QByteArray &data, const QString &fileName, const QByteArray &contentType,
                               const QByteArray &partName, bool withToken)
{
    auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"").arg(QString::fromLatin1(partName), fileName));
    part.setBody(data);
    multi->append(part);
    QNetworkRequest req(QUrl(m_base + "/v2.0/file/FileController/uploadFile"));
    if (withToken && !m_token.isEmpty())
        req.setRawHeader("token", m_token.toUtf8());
    QNetworkReply *reply = m_nam.post(req, multi);
    multi->setParent(reply);
    return finish(reply);
}

HttpReply PlatformHttp::raw(const QByteArray &request, int idleMs)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port());
    if (!socket.waitForConnected(10000))
        return HttpReply();
    socket.write(request);
    socket.flush();
    QByteArray out;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(idleMs))
        out += socket.readAll();
    out += socket.readAll();
    HttpReply r;
    const int headEnd = out.indexOf("\r\n\r\n");
    if (!out.startsWith("HTTP/1.1 ") || headEnd < 0) {
        r.body = out;
        return r;
    }
    r.status = out.mid(9, 3).toInt();
    r.body = out.mid(headEnd + 4);
    const QJsonDocument doc = QJsonDocument::fromJson(r.body);
    if (doc.isObject())
        r.json = doc.object();
    return r;
}

QByteArray PlatformHttp::request(const QByteArray &method, const QString &pathAndQuery, const QByteArray &body,
                                 const QByteArray &token)
{
    QByteArray out = method + ' ' + pathAndQuery.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    if (!token.isEmpty())
        out += "token: " + token + "\r\n";
    return out + "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size())
           + "\r\nConnection: close\r\n\r\n" + body;
}

std::unique_ptr<PlatformHttp> startLoggedIn(PlatformFixture &platform, const QStringList &args)
{
    if (!platform.start(args))
        return nullptr;
    auto http = std::make_unique<PlatformHttp>(platform.baseUrl());
    return http->login().isEmpty() ? nullptr : std::move(http);
}

bool inParallel(int n, const std::function<void(int)> &work)
{
    QList<QThread *> threads;
    for (int i = 0; i < n; ++i)
        threads.append(QThread::create(work, i));
    for (QThread *t : threads)
        t->start();
    bool finished = true;
    for (QThread *t : threads) {
        if (t->wait(120000))
            delete t;
        else
            finished = false;
    }
    return finished;
}
