#include "bankvlmbk_kid_loadImag.h"

#include "Http_access.h"
#include "ReplyWaiter.h"

#include <QDebug>
#include <QNetworkReply>

bankvlmbk_kid_loadImag::bankvlmbk_kid_loadImag(QObject *parent)
    : QObject(parent)
{
    connect(&m_manager, &QNetworkAccessManager::finished, this, &bankvlmbk_kid_loadImag::replyback);
}

void bankvlmbk_kid_loadImag::load(const QString &address)
{
    ReplyWaiter::watch(m_manager.get(QNetworkRequest(QUrl(address))), Http_access::timeoutMs);
}

void bankvlmbk_kid_loadImag::replyback(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "slide picture failed:" << reply->url().toString() << reply->errorString();
        return;
    }
    QPixmap map;
    if (!map.loadFromData(reply->readAll())) {
        qDebug() << "slide picture is no picture:" << reply->url().toString();
        return;
    }
    emit shootQPixmap(map);
}
