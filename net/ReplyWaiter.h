#pragma once

#include <QObject>

class QNetworkReply;

// Waits in a nested event loop until a reply has finished, aborting it when
// the time limit passes. With progress counting, every upload or download
// progress restarts the limit.
class ReplyWaiter
{
public:
    // Returns false when the reply was aborted for taking too long.
    static bool wait(QNetworkReply *reply, int timeoutMs, bool restartOnProgress);
    // Arms the same limit on a reply that is not waited for.
    static void watch(QNetworkReply *reply, int timeoutMs);
};
