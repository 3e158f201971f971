#include "myCurrentThread2.h"

#include "BaseAddress.h"
#include "EncoderProcess.h"
#include "LocalFileName.h"
#include "Widgetmain.h"

#include <QFile>
#include <QThread>

QAtomicInt myCurrentThread2::s_live;

myCurrentThread2::myCurrentThread2(QObject *parent)
    : QObject(parent)
{
    s_live.ref();
    process = new EncoderProcess(this);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &myCurrentThread2::clipVideoFinished);
}

myCurrentThread2::~myCurrentThread2()
{
    // Only when the thread was stopped early (its page went away).
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(3000);
    }
    s_live.deref();
}

QString myCurrentThread2::pictureFor(const QString &id)
{
    // The id comes from the server: it must not lead out of the cache.
    return sourceDir + LocalFileName::safe(id, QStringLiteral("thumbnail")) + QStringLiteral(".png");
}

QThread *myCurrentThread2::start(const miciroInfo &info, QObject *receiver)
{
    auto *worker = new myCurrentThread2;
    worker->record = info;
    // Read on this thread: the worker's thread only touches its own copies.
    worker->videoAddress = BaseAddress::video() + info.fileSrc;
    worker->thumbnailPath = pictureFor(info.id);
    auto *thread = new QThread;
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &myCurrentThread2::runSignalThread);
    connect(worker, SIGNAL(shootisDone(QString)), receiver, SLOT(upDatePhoto(QString)), Qt::QueuedConnection);
    // The worker (with its process) goes as the thread ends, the thread
    // object afterwards on the thread that made it.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    return thread;
}

void myCurrentThread2::runSignalThread()
{
    strId = record.id;
    if (QFile::exists(thumbnailPath))
        QFile::remove(thumbnailPath);
    process->startThumbnail(videoAddress, thumbnailPath);
}

void myCurrentThread2::clipVideoFinished(int)
{
    if (QFile::exists(thumbnailPath))
        emit shootisDone(strId);
    thread()->quit();
}
