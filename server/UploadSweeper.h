#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class Database;

// Removes uploaded files that no record claims once their grace period has
// passed: an upload whose record never came (the client gave up, or its
// save failed) would otherwise stay in storage for ever.
class UploadSweeper : public QObject
{
    Q_OBJECT

public:
    UploadSweeper(Database &db, QString docRoot, QString videoRoot, int graceSeconds);

    // Starts sweeping every so often, the first time at once.
    void start();
    // One sweep; returns the number of files removed.
    int sweep();

private:
    bool claimed(const QString &storage, const QString &path);

    Database &m_db;
    QString m_docRoot;
    QString m_videoRoot;
    int m_graceSeconds;
    QTimer m_timer;
};
