#pragma once

#include <QAtomicInt>
#include <QObject>
#include <QString>

class EncoderProcess;
class QThread;

// Makes the thumbnail of one remote video on a thread of its own: the
// encoder takes the frame at one second and writes it as a picture into the
// cache directory; when the picture is there the worker reports the record's
// id. The worker, its process and its thread are released once the thread
// has stopped.
class ThumbnailWorker : public QObject
{
    Q_OBJECT

public:
    ~ThumbnailWorker() override;

    // Where the thumbnail of a record id is written: sourceDir + id + ".png",
    // the id made safe as a file name.
    static QString pictureFor(const QString &id);
    // Threads (and encoder processes) running at once, at most.
    static constexpr int MaxRunning = 3;
    static int runningCount();
    // Workers alive right now, and workers ever created (tests count these).
    static int liveCount() { return s_live.loadAcquire(); }
    static int createdCount() { return s_created.loadAcquire(); }

    QString strId;
    QString videoAddress;
    QString thumbnailPath;
    EncoderProcess *process = nullptr;

signals:
    void shootisDone(QString strId);

public slots:
    void runSignalThread();
    void clipVideoFinished(int ba);

protected:
    explicit ThumbnailWorker(QObject *parent = nullptr);
    // Gives the worker its video, moves it to a new thread whose report goes
    // (queued) to receiver's upDatePhoto(QString), and starts the thread as
    // soon as fewer than MaxRunning run.
    // Returns the thread, which deletes itself once it has finished.
    static QThread *launch(ThumbnailWorker *worker, const QString &id, const QString &videoAddress,
                           QObject *receiver);

private:
    static QAtomicInt s_live;
    static QAtomicInt s_created;
};
