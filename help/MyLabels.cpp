#include "MyLabels.h"

#include "MyWidgets.h"
#include "ReplyWaiter.h"
#include "Http_access.h"
#include "SharedNetwork.h"

#include <QMouseEvent>
#include <QNetworkReply>

MyLabels::MyLabels(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFixedSize(placeholderWidth, 100);
    setStyleSheet(QStringLiteral("background-color: #EEEEEE;"));
}

MyLabels::~MyLabels()
{
    // The shared manager outlives the label: its request goes with it.
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
}

void MyLabels::load(const QUrl &address)
{
    m_reply = SharedNetwork::manager()->get(QNetworkRequest(address));
    ReplyWaiter::watch(m_reply, Http_access::timeoutMs);
    connect(m_reply, &QNetworkReply::finished, this, &MyLabels::finished);
}

void MyLabels::finished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    m_picture.loadFromData(reply->readAll());
    reply->deleteLater();
    if (!m_picture.isNull() && m_picture.height() > 0) {
        setFixedSize(int(double(m_picture.width()) / m_picture.height() * 100), 100);
        setPixmap(m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        setStyleSheet(QString());
    }
    emit loaded();
}

void MyLabels::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_picture.isNull()) {
        auto *viewer = new MyWidgets(m_picture);
        viewer->show();
    }
    QLabel::mousePressEvent(event);
}
