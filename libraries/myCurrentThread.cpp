#include "myCurrentThread.h"

#include "BaseAddress.h"

QThread *myCurrentThread::start(const LibraryItem &item, QObject *receiver)
{
    auto *worker = new myCurrentThread;
    worker->record = item;
    return launch(worker, item.id, BaseAddress::video() + item.resFile, receiver);
}
