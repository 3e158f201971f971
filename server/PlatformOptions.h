#pragma once

#include <QString>
#include <QStringList>

// Command line of lumexa-platform.
struct PlatformOptions
{
    QString host = QStringLiteral("127.0.0.1");
    int port = 8360;
    QString dataDir;
    bool reset = false;
    bool record = false;
    bool useOffice = true;
    qint64 maxUploadBytes = 200LL * 1024 * 1024;
    int exportLimit = 3;
    // Seconds an uploaded file may wait for a record before it is removed.
    int uploadGraceSeconds = 3600;
    QString seedCache; // empty: none
    QString blankDeck; // write the blank deck there and end

    // False with a message for a bad command line.
    static bool parse(const QStringList &args, PlatformOptions *out, QString *error);
    static QString usage();
};
