#pragma once

#include <QAtomicInt>
#include <QObject>
#include <QString>

#include "miciroInfo.h"

class EncoderProcess;
class QThread;

// Cuts the thumbnail of one micro-lecture from its remote video: one frame
// at one second, written by the encoder as a picture in the cache directory.
// Runs on a thread of its own; the worker, its process and its thread are
// released once the thread has stopped.
class myCurrentThread2 : public QObject
{
    Q_OBJECT

public:
    explicit myCurrentThread2(QObject *parent = nullptr);
    ~myCurrentThread2() override;

    // Creates a worker for the record, moves it to a new thread, tells
    // receiver's upDatePhoto(QString) when the picture is there, and starts
    // the thread. Returns the thread (gone once it has finished).
    static QThread *start(const miciroInfo &info, QObject *receiver);

    // Where the thumbnail of a record id is written.
    static QString pictureFor(const QString &id);
    // Workers that exist right now, in any thread.
    static int liveCount() { return s_live.loadAcquire(); }

    miciroInfo record;
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
};
