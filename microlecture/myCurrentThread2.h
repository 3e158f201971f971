#pragma once

#include "ThumbnailWorker.h"
#include "miciroInfo.h"

// The thumbnail worker of one micro-lecture of the micro-lecture list.
class myCurrentThread2 : public ThumbnailWorker
{
    Q_OBJECT

public:
    // Starts a worker for the record on a new thread that reports to
    // receiver's upDatePhoto(QString); returns the thread.
    static QThread *start(const miciroInfo &info, QObject *receiver);

    miciroInfo record;

private:
    myCurrentThread2() = default;
};
