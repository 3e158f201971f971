#include "OfficeSession.h"

#include "OfficePassword.h"
#include "OfficeWorker.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
QThread *officeThread = nullptr;
OfficeWorker *officeWorker = nullptr;
bool finished = false;

// The office's static destructors free pictures that its own teardown has
// freed already (valgrind: ~ImpGraphic reading freed memory from a static
// ~SdrItemPool at exit). Now and then that corrupts the heap and aborts the
// process after a good save. Once our teardown is done nothing of the office
// is needed, so the exit ends here, flushed, before those destructors run.
void endBeforeOfficeStatics(int status, void *)
{
    std::fflush(nullptr);
    _exit(status);
}
}

OfficeWorker *OfficeSession::worker()
{
    if (finished || !QCoreApplication::instance())
        return nullptr;
    if (officeWorker)
        return officeWorker;

    officeThread = new QThread;
    officeThread->setObjectName(QStringLiteral("office"));
    officeWorker = new OfficeWorker;
    officeWorker->moveToThread(officeThread);
    officeThread->start();
    const QString program = programDir();
    const QString profile = profileDir();
    OfficeWorker *w = officeWorker;
    QMetaObject::invokeMethod(w, [w, program, profile] { w->start(program, profile); }, Qt::QueuedConnection);

    // A program leaves through exec() and aboutToQuit; a test executable
    // never runs exec(), so the application's destructor is the last chance.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &OfficeSession::shutdown);
    qAddPostRoutine(&OfficeSession::shutdown);
    return officeWorker;
}

void OfficeSession::shutdown()
{
    if (finished)
        return;
    finished = true;
    if (!officeWorker)
        return;
    OfficeWorker *w = officeWorker;
    const bool officeLoaded = w->state() != OfficeWorker::Missing;
    // A load waiting for a password would never come back to shut down.
    w->password()->close();
    QMetaObject::invokeMethod(w, [w] { w->shutdown(); }, Qt::BlockingQueuedConnection);
    // Exit handlers run last in, first out: registered now, this one runs
    // before every destructor the office registered.
    if (officeLoaded)
        on_exit(&endBeforeOfficeStatics, nullptr);
    officeThread->quit();
    officeThread->wait();
    delete officeWorker;
    officeWorker = nullptr;
    delete officeThread;
    officeThread = nullptr;
}

QString OfficeSession::programDir()
{
    const QString configured = qEnvironmentVariable("LUMEXA_OFFICE_PROGRAM");
    return configured.isEmpty() ? QStringLiteral("/usr/lib/libreoffice/program") : configured;
}

QString OfficeSession::profileDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/lo-profile");
}
