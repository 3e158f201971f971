#include "OfficePassword.h"

#include <QMetaMethod>
#include <QMutexLocker>

OfficePassword::OfficePassword(QObject *parent)
    : QObject(parent)
{
}

bool OfficePassword::ask(const QString &path, bool again, QString *password)
{
    QMutexLocker lock(&m_mutex);
    if (m_closed || !isSignalConnected(QMetaMethod::fromSignal(&OfficePassword::requested)))
        return false;
    m_waiting = true;
    m_given = false;
    m_password.clear();
    lock.unlock();
    emit requested(path, again);
    lock.relock();
    while (m_waiting && !m_closed)
        m_answered.wait(&m_mutex);
    m_waiting = false;
    if (!m_given)
        return false;
    *password = m_password;
    m_password.clear();
    return true;
}

void OfficePassword::answer(const QString &password)
{
    finish(true, password);
}

void OfficePassword::cancel()
{
    finish(false, QString());
}

void OfficePassword::close()
{
    QMutexLocker lock(&m_mutex);
    m_closed = true;
    m_given = false;
    m_answered.wakeAll();
}

void OfficePassword::finish(bool given, const QString &password)
{
    QMutexLocker lock(&m_mutex);
    if (!m_waiting)
        return;
    m_waiting = false;
    m_given = given;
    m_password = password;
    m_answered.wakeAll();
}
