#include "ReplyWaiter.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

namespace {
const char *const TimedOutProperty = "lumexaTimedOut";

void abortForTime(QNetworkReply *reply)
{
    reply->setProperty(TimedOutProperty, true);
    reply->abort();
}
}

bool ReplyWaiter::wait(QNetworkReply *reply, int timeoutMs, bool restartOnProgress)
{
    if (reply->isFinished())
        return !timedOut(reply);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, reply, [reply] { abortForTime(reply); });
    if (restartOnProgress) {
        QObject::connect(reply, &QNetworkReply::uploadProgress, &timer, [&timer] { timer.start(); });
        QObject::connect(reply, &QNetworkReply::downloadProgress, &timer, [&timer] { timer.start(); });
    }
    timer.start(timeoutMs);
    loop.exec();
    return !timedOut(reply);
}

void ReplyWaiter::watch(QNetworkReply *reply, int timeoutMs)
{
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, [reply] { abortForTime(reply); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, timer, [timer] { timer->start(); });
    QObject::connect(reply, &QNetworkReply::uploadProgress, timer, [timer] { timer->start(); });
    timer->start(timeoutMs);
}

void ReplyWaiter::waitAll(const QList<QNetworkReply *> &replies, int timeoutMs)
{
    QEventLoop loop;
    int left = 0;
    for (QNetworkReply *reply : replies) {
        watch(reply, timeoutMs);
        if (reply->isFinished())
            continue;
        ++left;
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&loop, &left] {
            if (--left == 0)
                loop.quit();
        });
    }
    if (left > 0)
        loop.exec();
    for (QNetworkReply *reply : replies) {
        QObject::disconnect(reply, &QNetworkReply::finished, &loop, nullptr);
        if (!reply->isFinished())
            reply->abort();
    }
}

bool ReplyWaiter::timedOut(const QNetworkReply *reply)
{
    return reply && reply->property(TimedOutProperty).toBool();
}

QString ReplyWaiter::timeoutText()
{
    return QStringLiteral("服务器没有在规定时间内应答，检查网络重新尝试。");
}
