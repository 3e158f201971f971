#include "ReplyWaiter.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

bool ReplyWaiter::wait(QNetworkReply *reply, int timeoutMs, bool restartOnProgress)
{
    if (reply->isFinished())
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    if (restartOnProgress) {
        QObject::connect(reply, &QNetworkReply::uploadProgress, &timer, [&timer] { timer.start(); });
        QObject::connect(reply, &QNetworkReply::downloadProgress, &timer, [&timer] { timer.start(); });
    }
    timer.start(timeoutMs);
    loop.exec();
    return !timedOut;
}

void ReplyWaiter::watch(QNetworkReply *reply, int timeoutMs)
{
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::downloadProgress, timer, [timer] { timer->start(); });
    timer->start(timeoutMs);
}
