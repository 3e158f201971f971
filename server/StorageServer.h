#pragma once

#include <QString>

namespace httplib {
class Server;
}
class ApiRouter;

// Serves the document and video storage as static files with byte ranges
// (the player seeks in remote videos, ffmpeg reads them over HTTP).
class StorageServer
{
public:
    StorageServer(const QString &docRoot, const QString &videoRoot);

    void install(httplib::Server &server, ApiRouter &router);

    // A stored path ("/a/b.png") made safe: no "..", no backslash, no NUL,
    // no empty or dot segments. Empty when it is not acceptable.
    static QString cleanRelative(const QString &path);
    // The local file for a stored path below root, or empty when the path is
    // unsafe or leaves the root (also through links).
    static QString resolve(const QString &root, const QString &relative);
    static QString mimeType(const QString &path);

    QString docRoot() const { return m_docRoot; }
    QString videoRoot() const { return m_videoRoot; }

private:
    QString m_docRoot;
    QString m_videoRoot;
};
