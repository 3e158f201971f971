#include "Http_access.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "NetworkNotice.h"
#include "ReplyWaiter.h"
#include "SharedNetwork.h"
#include "loginForm.h"
#include "messageForm.h"
#include "miciroInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPointer>

int Http_access::timeoutMs = 30000;

namespace {
QPointer<Http_access> g_instance;

// Downloads run side by side, but never more than a few at once; the rest
// wait their turn (and their time limit starts with their turn).
const int MaxDownloads = 3;
int g_activeDownloads = 0;
QList<QPointer<Http_access>> g_queuedDownloads;

QNetworkRequest jsonRequest(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("token", CurrentUser::token.toUtf8());
    return request;
}
}

Http_access::Http_access(QWidget *parent)
    : QWidget(parent)
{
}

Http_access::~Http_access()
{
    if (m_downloadReply) {
        disconnect(m_downloadReply, nullptr, this, nullptr);
        m_downloadReply->abort();
        m_downloadReply->deleteLater();
        --g_activeDownloads;
        startQueuedDownloads();
    }
    delete m_downloadFile;
}

void Http_access::startQueuedDownloads()
{
    while (g_activeDownloads < MaxDownloads && !g_queuedDownloads.isEmpty())
        if (Http_access *next = g_queuedDownloads.takeFirst())
            next->beginDownload();
}

int Http_access::activeDownloads()
{
    return g_activeDownloads;
}

Http_access *Http_access::instance()
{
    if (!g_instance)
        g_instance = new Http_access;
    return g_instance;
}

void Http_access::release()
{
    Http_access *access = g_instance.data();
    if (!access)
        return;
    if (access->m_waiting.isEmpty()) {
        delete access;
        return;
    }
    // Callers up the stack still wait on it: cut their requests short and
    // let the last one to return hand the instance over for deletion.
    access->m_releasePending = true;
    const auto waiting = access->m_waiting;
    for (QNetworkReply *reply : waiting)
        reply->abort();
}

bool Http_access::waitFor(QNetworkReply *reply, bool restartOnProgress)
{
    m_waiting.append(reply);
    const bool inTime = ReplyWaiter::wait(reply, timeoutMs, restartOnProgress);
    m_waiting.removeOne(reply);
    // Called here, at the level of the call that waited, the deletion
    // happens only once that call's caller has returned.
    if (m_releasePending && m_waiting.isEmpty())
        deleteLater();
    return inTime;
}

bool Http_access::envelopeSuccess(int code, const QString &msg, bool strict)
{
    return code == 1 || (!strict && msg == QStringLiteral("成功"));
}

Http_access::Reply Http_access::post(const QString &address, const QUrlQuery &query,
                                     const QJsonObject &body)
{
    QUrl url(address);
    if (!query.isEmpty())
        url.setQuery(query);
    QNetworkReply *reply = m_manager.post(jsonRequest(url), QJsonDocument(body).toJson());
    const bool inTime = waitFor(reply, false);
    if (!inTime)
        NetworkNotice::show(ReplyWaiter::timeoutText());
    Reply r;
    r.bytes = reply->readAll();
    r.networkOk = reply->error() == QNetworkReply::NoError;
    r.redirected = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid();
    reply->deleteLater();
    return r;
}

bool Http_access::decodeEnvelope(const QByteArray &bytes, bool strict, QJsonObject *data)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        qDebug() << "JSON格式不匹配" << error.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    code = root.value("code").toInt();
    msg = root.value("msg").toString();
    if (!envelopeSuccess(code, msg, strict))
        return false;
    if (data)
        *data = root.value("data").toObject();
    return true;
}

bool Http_access::postForSuccess(const QString &address, const QUrlQuery &query, const QJsonObject &body)
{
    return decodeEnvelope(post(address, query, body).bytes, false, nullptr);
}

bool Http_access::postForStrictSuccess(const QString &address, const QJsonObject &body)
{
    return decodeEnvelope(post(address, {}, body).bytes, true, nullptr);
}

bool Http_access::saveRecord(const QString &address, const QUrlQuery &query, const QJsonObject &body)
{
    return decodeEnvelope(post(address, query, body).bytes, false, nullptr);
}

bool Http_access::fetchList(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                            QJsonObject *data)
{
    const Reply r = post(address, query, body);
    if (r.redirected) {
        qDebug() << "start RETURN";
        return false;
    }
    return decodeEnvelope(r.bytes, false, data);
}

bool Http_access::fetchEach(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                            const std::function<void(const QJsonObject &)> &entry, QJsonObject *data)
{
    QJsonObject payload;
    if (!fetchList(address, query, body, &payload))
        return false;
    for (const auto &v : payload.value("list").toArray())
        entry(v.toObject());
    if (data)
        *data = payload;
    return true;
}

bool Http_access::fetchDictItems(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                 QList<DictItem> &out)
{
    return fetchEach(address, query, body, [&out](const QJsonObject &o) {
        out.append({o.value("id").toString(), o.value("value").toString(), o.value("label").toString()});
    });
}

bool Http_access::fetchTextbooks(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                 QList<DictItem> &out)
{
    return fetchEach(address, query, body, [&out](const QJsonObject &o) {
        const QString name = o.value("name").toString();
        out.append({o.value("id").toString(), name, name});
    });
}

bool Http_access::fetchTreeNodes(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                 QList<TreeNode> &out)
{
    return fetchEach(address, query, body, [&out](const QJsonObject &o) {
        out.append({o.value("id").toString(), o.value("name").toString(), o.value("parentId").toString()});
    });
}

bool Http_access::fetchHelpItems(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                 QList<HelpItem> &out)
{
    return fetchEach(address, query, body, [&out](const QJsonObject &o) {
        HelpItem item{o.value("title").toString(), o.value("content").toString(), {}};
        const QString files = o.value("files").toString();
        if (!files.isEmpty())
            item.files = files.split(QLatin1Char(','));
        out.append(item);
    });
}

bool Http_access::fetchMicroLectures(const QString &address, const QUrlQuery &query, const QJsonObject &body)
{
    QList<miciroInfo> found;
    QJsonObject data;
    // The purchased list holds decks and videos together; decks belong to
    // the courseware list.
    auto take = [&found](const QJsonObject &o) {
        if (o.value("resKind").toString() != QLatin1String("courseware"))
            found.append(miciroInfo::fromJson(o, 0));
    };
    if (!fetchEach(address, query, body, take, &data))
        return false;
    const int total = data.value("total").toInt();
    for (miciroInfo &r : found) {
        r.total = total;
        microLectureRecords.append(r);
    }
    return true;
}

bool Http_access::login(const QString &userName, const QString &password, const QString &userType)
{
    QUrl url(BaseAddress::api() + ApiPaths::login);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("username"), userName);
    query.addQueryItem(QStringLiteral("password"), password);
    query.addQueryItem(QStringLiteral("userType"), userType);
    // Keep "+" and "&" in passwords from being read as separators.
    url.setQuery(query.query(QUrl::FullyEncoded).replace("+", "%2B"));
    QNetworkReply *reply = m_manager.get(QNetworkRequest(url));
    const bool inTime = waitFor(reply, false);
    QByteArray bytes;
    if (reply->error() == QNetworkReply::NoError)
        bytes = reply->readAll();
    reply->deleteLater();
    if (m_releasePending)
        return false; // the login window was closed meanwhile
    if (!inTime) {
        code = 0;
        msg.clear();
        auto *m = new messageForm(0, nullptr);
        m->setMessage(ReplyWaiter::timeoutText());
        m->show();
        m->setGeometry(loginRect);
        lastMessage = m;
        return false;
    }

    if (loginForm::decodeLoginReply(bytes, this)) {
        CurrentUser::username = userName;
        CurrentUser::password = password;
        return true;
    }
    QString text;
    if (msg.contains(QStringLiteral("用户名或密码错误")))
        text = QStringLiteral("密码错误，请重试\n或联系平台进行密码找回\n400-0000-000");
    else if (msg == QStringLiteral("用户不存在"))
        text = QStringLiteral("没有此教师账户\n请在平台登记注册后,再重新尝试");
    if (!text.isEmpty()) {
        auto *m = new messageForm(0, nullptr);
        m->setMessage(text);
        m->show();
        m->setGeometry(loginForm::messageRect());
        lastMessage = m;
    }
    return false;
}

QString Http_access::uploadFile(const QString &address, const QString &localPath, const QString &contentType)
{
    auto *file = new QFile(localPath);
    if (!file->open(QIODevice::ReadOnly)) {
        delete file;
        QMessageBox::information(nullptr, QStringLiteral("提示"),
                                 QStringLiteral("无法读取文件 %1").arg(QFileInfo(localPath).fileName()));
        return {};
    }
    auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setRawHeader("Content-Type", contentType.toUtf8());
    // Raw bytes: the toolkit's typed header would drop non-Latin-1 names.
    part.setRawHeader("Content-Disposition",
                      QStringLiteral("form-data; name=\"file\"; filename=\"%1\"")
                          .arg(QFileInfo(localPath).fileName())
                          .toUtf8());
    part.setBodyDevice(file);
    file->setParent(multi);
    multi->append(part);

    QNetworkRequest request{QUrl(address)};
    request.setRawHeader("token", CurrentUser::token.toUtf8());
    QNetworkReply *reply = m_manager.post(request, multi);
    multi->setParent(reply);
    m_upload = reply;
    m_uploadCancelled = false;
    connect(reply, &QNetworkReply::uploadProgress, this, &Http_access::uploadProgress);
    const bool inTime = waitFor(reply, true);

    QString result;
    if (m_uploadCancelled) {
        // The teacher's own choice: the caller says so.
    } else if (!inTime) {
        QMessageBox::information(nullptr, QStringLiteral("提示"),
                                 QStringLiteral("请求失败. ") + ReplyWaiter::timeoutText());
    } else if (reply->error() != QNetworkReply::NoError) {
        QMessageBox::information(nullptr, QStringLiteral("提示"),
                                 QStringLiteral("请求失败.  错误提示:%1,错误代码:%2 ")
                                     .arg(reply->errorString())
                                     .arg(int(reply->error())));
    } else {
        QJsonObject data;
        if (decodeEnvelope(reply->readAll(), false, &data))
            result = data.value("filepath").toString();
    }
    delete reply; // releases the multipart body and the file with it
    return result;
}

void Http_access::cancelUpload()
{
    if (!m_upload)
        return;
    m_uploadCancelled = true;
    m_upload->abort();
}

Http_access *Http_access::download(const QString &address, const QString &localPath, bool reportInBox)
{
    auto *d = new Http_access;
    d->m_reportInBox = reportInBox;
    d->startDownload(address, localPath);
    return d;
}

void Http_access::startDownload(const QString &address, const QString &localPath)
{
    m_downloadFile = new QFile(localPath);
    if (!m_downloadFile->open(QIODevice::WriteOnly)) {
        delete m_downloadFile;
        m_downloadFile = nullptr;
        if (m_reportInBox)
            QMessageBox::information(nullptr, QStringLiteral("错误"), QStringLiteral("临时文件打开错误"));
        // Queued: the caller connects to the instance after download() returned.
        QMetaObject::invokeMethod(this, [this, localPath] {
            emit downloadFinished(localPath, false);
            deleteLater();
        }, Qt::QueuedConnection);
        return;
    }
    m_downloadAddress = address;
    g_queuedDownloads.append(this);
    startQueuedDownloads();
}

void Http_access::beginDownload()
{
    ++g_activeDownloads;
    const QString localPath = m_downloadFile->fileName();
    m_downloadReply = SharedNetwork::manager()->get(QNetworkRequest(QUrl(m_downloadAddress)));
    ReplyWaiter::watch(m_downloadReply, timeoutMs);
    connect(m_downloadReply, &QNetworkReply::readyRead, this, &Http_access::on_readyRead);
    connect(m_downloadReply, &QNetworkReply::finished, this, &Http_access::on_finished);
    connect(m_downloadReply, &QNetworkReply::downloadProgress, this, [this, localPath](qint64 received, qint64 total) {
        emit downloadProgress(localPath, received, total);
    });
}

void Http_access::on_readyRead()
{
    if (m_downloadFile && m_downloadReply)
        m_downloadFile->write(m_downloadReply->readAll());
}

void Http_access::on_finished()
{
    on_readyRead();
    const QString path = m_downloadFile->fileName();
    const int status = m_downloadReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = m_downloadReply->error() == QNetworkReply::NoError && status < 400;
    const bool late = ReplyWaiter::timedOut(m_downloadReply);
    m_downloadFile->close();
    delete m_downloadFile;
    m_downloadFile = nullptr;
    m_downloadReply->deleteLater();
    m_downloadReply = nullptr;
    --g_activeDownloads;
    startQueuedDownloads();
    deleteLater();

    const QString base = QFileInfo(path).baseName();
    if (!ok)
        QFile::remove(path);
    emit downloadFinished(path, ok);
    if (!m_reportInBox)
        return;
    if (ok) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), base + QStringLiteral("下载完成"));
    } else {
        // A short or empty file must not pass for the exported resource.
        QMessageBox::information(nullptr, QStringLiteral("提示"),
                                 base + (late ? QStringLiteral("下载失败：") + ReplyWaiter::timeoutText()
                                              : QStringLiteral("下载失败，检查网络重新尝试。")));
    }
}
