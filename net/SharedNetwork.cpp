#include "SharedNetwork.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QPointer>

QNetworkAccessManager *SharedNetwork::manager()
{
    static QPointer<QNetworkAccessManager> shared;
    if (!shared)
        shared = new QNetworkAccessManager(QCoreApplication::instance());
    return shared;
}
