#include "ThumbnailWorker.h"

#include "EncoderProcess.h"
#include "LocalFileName.h"
#include "Widgetmain.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QThread>

QAtomicInt ThumbnailWorker::s_live;
QAtomicInt ThumbnailWorker::s_created;

namespace {
// However many videos a page shows, only a few threads (each with its
// encoder process) run at once; the others wait their turn, oldest first.
int g_running = 0;
QList<QPointer<QThread>> g_waiting;

void startWaiting()
{
    while (g_running < ThumbnailWorker::MaxRunning && !g_waiting.isEmpty()) {
        QThread *next = g_waiting.takeFirst();
        if (!next)
            continue;
        ++g_running;
        QObject::connect(next, &QThread::finished, QCoreApplication::instance(), [] {
            --g_running;
            startWaiting();
        });
        next->start(QThread::InheritPriority);
    }
}
}

int ThumbnailWorker::runningCount()
{
    return g_running;
}

ThumbnailWorker::ThumbnailWorker(QObject *parent)
    : QObject(parent)
{
    s_live.ref();
    s_created.ref();
    // A child of the worker: it moves to the worker's thread with it.
    process = new EncoderProcess(this);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &ThumbnailWorker::clipVideoFinished);
}

ThumbnailWorker::~ThumbnailWorker()
{
    // Only when the thread was stopped early (its page went away).
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(3000);
    }
    s_live.deref();
}

QString ThumbnailWorker::pictureFor(const QString &id)
{
    // The id is the server's text: it must not lead out of the cache.
    return sourceDir + LocalFileName::safe(id, QStringLiteral("thumbnail")) + QStringLiteral(".png");
}

QThread *ThumbnailWorker::launch(ThumbnailWorker *worker, const QString &id, const QString &videoAddress,
                                 QObject *receiver)
{
    // The globals are read here, on the GUI thread; the worker's thread
    // touches only the worker's own copies.
    worker->strId = id;
    worker->videoAddress = videoAddress;
    worker->thumbnailPath = pictureFor(id);
    auto *thread = new QThread;
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &ThumbnailWorker::runSignalThread);
    connect(worker, SIGNAL(shootisDone(QString)), receiver, SLOT(upDatePhoto(QString)), Qt::QueuedConnection);
    // The worker (and its process) goes on its own thread as it ends, the
    // thread object afterwards on the thread that made it.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    g_waiting.append(thread);
    startWaiting();
    return thread;
}

void ThumbnailWorker::runSignalThread()
{
    // The command line has no overwrite option: a picture left from an
    // earlier run would stop the encoder from writing the new one.
    if (QFile::exists(thumbnailPath))
        QFile::remove(thumbnailPath);
    process->startThumbnail(videoAddress, thumbnailPath);
}

void ThumbnailWorker::clipVideoFinished(int)
{
    if (QFile::exists(thumbnailPath))
        emit shootisDone(strId);
    thread()->quit();
}
