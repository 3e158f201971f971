#pragma once

#include <QAtomicInt>
#include <QObject>
#include <QString>

#include "LibraryItem.h"

class EncoderProcess;
class QThread;

// Makes the thumbnail of one library video: on a thread of its own it starts
// the encoder, which takes the frame at one second of the remote video and
// writes it as a picture into the cache directory; when the picture is there
// the worker reports the video's id. The worker, its process and its thread
// are released once the thread has stopped.
class myCurrentThread : public QObject
{
    Q_OBJECT

public:
    explicit myCurrentThread(QObject *parent = nullptr);
    ~myCurrentThread() override;

    // Creates a worker for the record on a new thread, connects its report
    // to receiver's upDatePhoto(QString) (queued) and starts the thread.
    // Returns the thread, which deletes itself once it has finished.
    static QThread *start(const LibraryItem &item, QObject *receiver);

    // Where the thumbnail of a record id is written: sourceDir + id + ".png",
    // the id made safe as a file name.
    static QString pictureFor(const QString &id);
    // Workers alive right now, and workers ever created (tests count these).
    static int liveCount() { return s_live.loadAcquire(); }
    static int createdCount() { return s_created.loadAcquire(); }

    LibraryItem record;
    QString strId;
    QString videoAddress;
    QString thumbnailPath;
    EncoderProcess *process = nullptr;

signals:
    void shootisDone(QString strId);

public slots:
    void runSignalThread();
    void clipVideoFinished(int ba);

private:
    static QAtomicInt s_live;
    static QAtomicInt s_created;
};
