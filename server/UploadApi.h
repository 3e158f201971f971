#pragma once

#include <QString>

namespace httplib {
class Server;
}
class ApiRouter;
struct ApiResult;
class Database;
class SlideRenderer;

// The multipart file upload: one "file" part streamed to disk below the
// document storage (decks, pictures) or the video storage (video/mp4).
class UploadApi
{
public:
    UploadApi(Database &db, SlideRenderer &slides, QString docRoot, QString videoRoot, QString tempDir, qint64 maxBytes);

    void install(httplib::Server &server, ApiRouter &router);

    static const char *Path;

private:
    // Room for the part headers and small fields beside a file of the limit.
    static constexpr qint64 MultipartSlack = 64 * 1024;
    ApiResult tooLargeResult() const;

    Database &m_db;
    SlideRenderer &m_slides;
    QString m_docRoot;
    QString m_videoRoot;
    QString m_tempDir;
    qint64 m_maxBytes;
};
