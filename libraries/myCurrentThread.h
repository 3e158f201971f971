#pragma once

#include "LibraryItem.h"
#include "ThumbnailWorker.h"

// The thumbnail worker of one video of the video library.
class myCurrentThread : public ThumbnailWorker
{
    Q_OBJECT

public:
    // Starts a worker for the record on a new thread that reports to
    // receiver's upDatePhoto(QString); returns the thread.
    static QThread *start(const LibraryItem &item, QObject *receiver);

    LibraryItem record;

private:
    myCurrentThread() = default;
};
