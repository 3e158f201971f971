#include "OfficeSession.h"

#include "OfficeWorker.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QThread>

namespace {
QThread *officeThread = nullptr;
OfficeWorker *officeWorker = nullptr;
bool finished = false;
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
    QMetaObject::invokeMethod(w, [w] { w->shutdown(); }, Qt::BlockingQueuedConnection);
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
