#include "UploadSweeper.h"

#include "Database.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

UploadSweeper::UploadSweeper(Database &db, QString docRoot, QString videoRoot, int graceSeconds)
    : m_db(db), m_docRoot(std::move(docRoot)), m_videoRoot(std::move(videoRoot)), m_graceSeconds(graceSeconds)
{
    connect(&m_timer, &QTimer::timeout, this, &UploadSweeper::sweep);
}

void UploadSweeper::start()
{
    // Often enough that a file outlives its grace by at most half of it
    // (and never by more than a minute).
    m_timer.start(qBound(1, m_graceSeconds / 2, 60) * 1000);
    sweep();
}

bool UploadSweeper::claimed(const QString &storage, const QString &path)
{
    if (storage == QLatin1String("video"))
        return m_db.value("SELECT 1 FROM resources WHERE kind = 'micro' AND file_src = ? LIMIT 1", {path}).isValid();
    return m_db.value("SELECT 1 FROM resources WHERE file_src = ? LIMIT 1", {path}).isValid()
           || m_db.value("SELECT 1 FROM own_pictures WHERE file_name = ? LIMIT 1", {path}).isValid();
}

int UploadSweeper::sweep()
{
    const QString before = QDateTime::currentDateTime().addSecs(-m_graceSeconds).toString(Qt::ISODate);
    const auto rows = m_db.query("SELECT storage, path FROM stored_files WHERE created_at <= ?", {before});
    int removed = 0;
    for (const auto &row : rows) {
        const QString storage = row.value(0).toString();
        const QString path = row.value(1).toString();
        // Paths were made by the upload itself ("/upload/day/uuid.ext").
        if (!path.startsWith(QLatin1String("/upload/")) || path.contains(QLatin1String("..")) || claimed(storage, path))
            continue;
        const QString root = storage == QLatin1String("video") ? m_videoRoot : m_docRoot;
        if (QFile::exists(root + path) && !QFile::remove(root + path))
            continue;
        m_db.exec("DELETE FROM stored_files WHERE storage = ? AND path = ?", {storage, path});
        // A deck's slide pictures go with it.
        const QString slides = m_db.value("SELECT slides FROM deck_slides WHERE path = ?", {path}).toString();
        for (const auto &v : QJsonDocument::fromJson(slides.toUtf8()).array()) {
            const QString picture = v.toString();
            if (picture.startsWith(QLatin1Char('/')) && !picture.contains(QLatin1String(".."))) {
                QFile::remove(m_docRoot + picture);
                QDir().rmdir(QFileInfo(m_docRoot + picture).path());
            }
        }
        m_db.exec("DELETE FROM deck_slides WHERE path = ?", {path});
        ++removed;
    }
    if (removed > 0)
        qInfo("removed %d unclaimed upload(s)", removed);
    return removed;
}
