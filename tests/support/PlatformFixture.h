#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Starts the platform stand-in on an ephemeral loopback port with a fresh data
// folder and points the client's base addresses at it.
class PlatformFixture
{
public:
    PlatformFixture();
    ~PlatformFixture();

    // Starts the server; extra arguments are passed on. False when it did not
    // come up (the reason is in error()).
    bool start(const QStringList &extraArgs = {});
    void stop();
    // Fault drills: stop answering (SIGSTOP), or die at once (SIGKILL).
    void freeze();
    void kill();

    QString baseUrl() const { return m_baseUrl; }
    QString dataDir() const { return m_data.path(); }
    QString error() const { return m_error; }
    // Logs a demo account in through the client's request layer, filling the
    // current user as the login window would.
    static bool login(const QString &account = QStringLiteral("teacher01"),
                      const QString &password = QStringLiteral("123456"));
    // The requests the server recorded (started with recording on).
    QJsonArray recordedRequests() const;
    // The JSON bodies of the recorded requests to path, oldest first.
    QList<QJsonObject> recordedBodies(const QString &path) const;

private:
    QTemporaryDir m_data;
    QProcess m_process;
    QString m_baseUrl;
    QString m_error;
};
