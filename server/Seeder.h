#pragma once

#include <QString>
#include <QStringList>

class Database;

// Fills a new data folder: the schema, the demo records and the demo media
// (pictures painted, decks written, videos made by ffmpeg). Made media can be
// kept in a cache folder and copied from there on later first starts.
class Seeder
{
public:
    // Changes whenever the demo content changes, so old caches are not used.
    static const char *Version;

    Seeder(Database &db, QString docRoot, QString videoRoot, QString cacheDir);

    static bool createSchema(Database &db, QString *error);
    bool isSeeded();
    bool seed(QString *error);

private:
    // Relative paths ("doc/...", "video/...") of the files made.
    QStringList makeMedia();
    bool copyFromCache();
    void storeInCache(const QStringList &files);
    bool insertRows(QString *error);

    Database &m_db;
    QString m_docRoot;
    QString m_videoRoot;
    QString m_cacheDir;
};
