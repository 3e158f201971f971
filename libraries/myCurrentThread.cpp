#include "myCurrentThread.h"

#include "BaseAddress.h"
#include "EncoderProcess.h"
#include "LocalFileName.h"
#include "Widgetmain.h"

#include <QFile>
#include <QThread>

QAtomicInt myCurrentThread::s_live;
QAtomicInt myCurrentThread::s_created;

myCurrentThread::myCurrentThread(QObject *parent)
    : QObject(parent)
{
    s_live.ref();
    s_created.ref();
    // A child of the worker: it moves to the worker's thread with it.
    process = new EncoderProcess(this);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &myCurrentThread::clipVideoFinished);
}

myCurrentThread::~myCurrentThread()
{
    s_live.deref();
}

QString myCurrentThread::pictureFor(const QString &id)
{
    // The id is the server's text: it must not lead out of the cache.
    return sourceDir + LocalFileName::safe(id, QStringLiteral("thumbnail")) + QStringLiteral(".png");
}

QThread *myCurrentThread::start(const LibraryItem &item, QObject *receiver)
{
    auto *worker = new myCurrentThread;
    worker->record = item;
    // The globals are read here, on the GUI thread; the worker's thread
    // touches only the worker's own copies.
    worker->videoAddress = BaseAddress::video() + item.resFile;
    worker->thumbnailPath = pictureFor(item.id);
    auto *thread = new QThread;
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &myCurrentThread::runSignalThread);
    connect(worker, SIGNAL(shootisDone(QString)), receiver, SLOT(upDatePhoto(QString)), Qt::QueuedConnection);
    // The worker (and its process) goes on its own thread as it ends, the
    // thread object afterwards on the thread that made it.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    return thread;
}

void myCurrentThread::runSignalThread()
{
    strId = record.id;
    // The command line has no overwrite option: a picture left from an
    // earlier run would stop the encoder from writing the new one.
    if (QFile::exists(thumbnailPath))
        QFile::remove(thumbnailPath);
    process->startThumbnail(videoAddress, thumbnailPath);
}

void myCurrentThread::clipVideoFinished(int ba)
{
    Q_UNUSED(ba);
    if (QFile::exists(thumbnailPath))
        emit shootisDone(strId);
    thread()->quit();
}
