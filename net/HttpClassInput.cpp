#include "HttpClassInput.h"

#include "CurrentUser.h"
#include "Http_access.h"
#include "NetworkNotice.h"
#include "ReplyWaiter.h"
#include "messageForm.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkReply>

int dailyExportLimit = 0;

namespace {
QPointer<HttpClassInput> g_instance;

QStringList stringsOf(const QJsonValue &value)
{
    QStringList out;
    if (value.isArray()) {
        for (const auto &v : value.toArray())
            out << v.toString();
    } else if (value.isString() && !value.toString().isEmpty()) {
        out << value.toString();
    }
    return out;
}
}

HttpClassInput::HttpClassInput(QObject *parent)
    : QObject(parent)
{
}

HttpClassInput *HttpClassInput::instance()
{
    if (!g_instance)
        g_instance = new HttpClassInput;
    return g_instance;
}

bool HttpClassInput::decodeEnvelope(const char *what, const QByteArray &bytes, QJsonObject *data)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        qDebug() << "JSON" << what << "格式不匹配" << error.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    code = root.value("code").toInt();
    msg = root.value("msg").toString();
    if (!Http_access::envelopeSuccess(code, msg))
        return false;
    if (data)
        *data = root.value("data").toObject();
    return true;
}

bool HttpClassInput::postJson(const char *what, const QString &address, const QUrlQuery &query,
                              const QJsonObject &body, QJsonObject *data)
{
    QUrl url(address);
    if (!query.isEmpty())
        url.setQuery(query);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("token", CurrentUser::token.toUtf8());
    QNetworkReply *reply = m_manager.post(request, QJsonDocument(body).toJson());
    if (!ReplyWaiter::wait(reply, Http_access::timeoutMs, false))
        NetworkNotice::show(ReplyWaiter::timeoutText());
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "reply error:" << what << reply->error() << reply->errorString();
        reply->deleteLater();
        return false;
    }
    const QByteArray bytes = reply->readAll();
    reply->deleteLater();
    return decodeEnvelope(what, bytes, data);
}

void HttpClassInput::fetchOwnFiles(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                   QList<LibraryItem> &out)
{
    QJsonObject data;
    if (!postJson("RequestMinePhoto", address, query, body, &data))
        return;
    const QJsonObject list = data.value("list").toObject();
    const int total = list.value("total").toInt();
    for (const auto &v : list.value("list").toArray()) {
        const QJsonObject o = v.toObject();
        LibraryItem item;
        item.id = o.value("id").toString();
        item.resFile = o.value("fileName").toString();
        item.total = total;
        out.append(item);
    }
}

void HttpClassInput::fetchCategories(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                     QList<LibraryItem> &out)
{
    QJsonObject data;
    if (!postJson("RequestCategories", address, query, body, &data))
        return;
    for (const auto &v : data.value("list").toArray()) {
        const QJsonObject o = v.toObject();
        LibraryItem item;
        item.id = o.value("id").toString();
        item.resDescribe = o.value("resDescribe").toString();
        out.append(item);
    }
}

void HttpClassInput::fetchResources(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                                    QList<LibraryItem> &out)
{
    QJsonObject data;
    if (!postJson("RequestResources", address, query, body, &data))
        return;
    const QJsonObject page = data.value("page").toObject();
    const int total = page.value("total").toInt();
    for (const auto &v : page.value("list").toArray()) {
        const QJsonObject o = v.toObject();
        LibraryItem item;
        item.id = o.value("id").toString();
        item.resFile = o.value("resFile").toString();
        item.resDescribe = o.value("resDescribe").toString();
        item.title = o.value("title").toString();
        item.pptFiles = stringsOf(o.value("pptFiles"));
        item.total = total;
        out.append(item);
    }
}

bool HttpClassInput::deleteById(const QString &address, const QUrlQuery &query, const QJsonObject &body)
{
    return postJson("DeleteById", address, query, body, nullptr);
}

bool HttpClassInput::saveFileRecord(const QString &address, const QUrlQuery &query, const QJsonObject &body)
{
    return postJson("SaveFile", address, query, body, nullptr);
}

int HttpClassInput::fetchExportFrequency(const QString &address, const QJsonObject &body)
{
    QJsonObject data;
    if (!postJson("ExportFrequency", address, {}, body, &data))
        return 0;
    return data.value("lmQuestionDict").toObject().value("frequency").toInt();
}

QString HttpClassInput::uploadImage(const QString &address, const QString &localPath)
{
    auto *file = new QFile(localPath);
    if (!file->open(QIODevice::ReadOnly)) {
        qDebug() << "error string:" << file->errorString() << localPath;
        delete file;
        return {};
    }
    const QFileInfo info(localPath);
    const QString type = info.suffix() == QLatin1String("png") ? QStringLiteral("image/png")
                                                              : QStringLiteral("image/jpeg");
    auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setRawHeader("Content-Type", type.toUtf8());
    // Raw bytes: the toolkit's typed header would drop non-Latin-1 names.
    part.setRawHeader("Content-Disposition",
                      QStringLiteral("form-data; name=\"file\"; filename=\"%1\"").arg(info.fileName()).toUtf8());
    part.setBodyDevice(file);
    file->setParent(multi);
    multi->append(part);

    QNetworkReply *reply = m_manager.post(QNetworkRequest(QUrl(address)), multi);
    multi->setParent(reply);
    ReplyWaiter::wait(reply, Http_access::timeoutMs, true);
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "error string:" << reply->errorString();
        reply->deleteLater();
        return {};
    }
    const QByteArray bytes = reply->readAll();
    reply->deleteLater(); // releases the multipart body and the file with it
    QJsonObject data;
    if (!decodeEnvelope("UploadImage", bytes, &data))
        return {};
    return data.value("filepath").toString();
}

QPixmap HttpClassInput::downloadImage(const QString &address)
{
    return downloadImages({address}).value(0);
}

QList<QPixmap> HttpClassInput::downloadImages(const QStringList &addresses)
{
    QList<QNetworkReply *> replies;
    for (const QString &address : addresses)
        replies << m_manager.get(QNetworkRequest(QUrl(address)));
    ReplyWaiter::waitAll(replies, Http_access::timeoutMs);
    QList<QPixmap> pictures;
    int failed = 0;
    bool allLate = true;
    QString firstFailure;
    for (QNetworkReply *reply : qAsConst(replies)) {
        QPixmap picture;
        if (reply->error() == QNetworkReply::NoError) {
            // A body that is no picture (an error page, a truncated file)
            // gives a null picture; the caller shows its tile empty.
            if (!picture.loadFromData(reply->readAll()))
                qDebug() << "DownloadImg: not a picture" << reply->url();
        } else {
            allLate = allLate && ReplyWaiter::timedOut(reply);
            if (failed++ == 0) {
                const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                firstFailure = QStringLiteral("请求失败. /nDownloadImg error code: %1. errorText:%2. HTTPscode:%3")
                                   .arg(QString::number(int(reply->error())), reply->errorString(),
                                        QString::number(status));
            }
        }
        pictures << picture;
        reply->deleteLater();
    }
    if (failed > 0) {
        // One notice for the page, however many of its pictures failed.
        QString text;
        if (allLate)
            text = (failed > 1 ? QStringLiteral("%1 张图片").arg(failed) : QStringLiteral("图片"))
                   + QStringLiteral("下载失败：") + ReplyWaiter::timeoutText();
        else
            text = (failed > 1 ? QStringLiteral("%1 张图片下载失败. ").arg(failed) : QString()) + firstFailure;
        lastMessage = NetworkNotice::show(text, true);
    }
    return pictures;
}
