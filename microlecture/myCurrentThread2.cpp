#include "myCurrentThread2.h"

#include "BaseAddress.h"

QThread *myCurrentThread2::start(const miciroInfo &info, QObject *receiver)
{
    auto *worker = new myCurrentThread2;
    worker->record = info;
    return launch(worker, info.id, BaseAddress::video() + info.fileSrc, receiver);
}
