#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

// Where the office thread asks for the password of a protected deck and waits
// for the teacher's answer. The office asks from inside its load, so the
// answer cannot come as a queued call: the office thread blocks here until
// the GUI thread answers, cancels, or the office closes.
class OfficePassword : public QObject
{
    Q_OBJECT

public:
    explicit OfficePassword(QObject *parent = nullptr);

    // Office thread. Asks for the password of the deck at path (again: the
    // last one was wrong) and waits; false when the teacher cancelled or
    // nobody listens.
    bool ask(const QString &path, bool again, QString *password);

    // Any thread.
    void answer(const QString &password);
    void cancel();
    // Cancels the question waiting now and every later one (the office is
    // closing).
    void close();

signals:
    void requested(const QString &path, bool again);

private:
    void finish(bool given, const QString &password);

    QMutex m_mutex;
    QWaitCondition m_answered;
    bool m_waiting = false;
    bool m_given = false;
    bool m_closed = false;
    QString m_password;
};
