#pragma once

#include <QObject>
#include <QString>

class QNetworkReply;

// Waits in a nested event loop until a reply has finished, aborting it when
// the time limit passes. With progress counting, every upload or download
// progress restarts the limit.
class ReplyWaiter
{
public:
    // Returns false when the reply was aborted for taking too long.
    static bool wait(QNetworkReply *reply, int timeoutMs, bool restartOnProgress);
    // Waits for all replies at once (they run side by side), each with its
    // own limit. Replies still running when the wait is cut short (the
    // application quits) are aborted.
    static void waitAll(const QList<QNetworkReply *> &replies, int timeoutMs);
    // Arms the same limit on a reply that is not waited for.
    static void watch(QNetworkReply *reply, int timeoutMs);
    // True when the reply ended because its time limit passed.
    static bool timedOut(const QNetworkReply *reply);
    // What the teacher is told when the server did not answer in time.
    static QString timeoutText();
};
