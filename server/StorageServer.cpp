#include "StorageServer.h"

#include "ApiRouter.h"

#include <QDir>
#include <QFileInfo>
#include <fstream>
#include <httplib.h>
#include <memory>

namespace {
// The HTTP library trusts the ranges it parsed; ranges past the end would make
// it announce absurd lengths. Clamp them to the file, or refuse them all.
bool fitRanges(httplib::Ranges &ranges, size_t size)
{
    const auto n = static_cast<ssize_t>(size);
    for (auto &r : ranges) {
        if (r.first < 0) {
            if (r.second <= 0)
                return false;
            r.second = std::min(r.second, n);
        } else {
            if (r.first >= n || (r.second >= 0 && r.second < r.first))
                return false;
            if (r.second < 0 || r.second >= n)
                r.second = n - 1;
        }
    }
    if (ranges.size() > 16)
        return false;
    return true;
}
}

StorageServer::StorageServer(const QString &docRoot, const QString &videoRoot)
    : m_docRoot(QDir(docRoot).canonicalPath())
    , m_videoRoot(QDir(videoRoot).canonicalPath())
{
}

QString StorageServer::cleanRelative(const QString &path)
{
    if (path.contains(QChar(0)) || path.contains(QLatin1Char('\\')))
        return QString();
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QString();
    for (const QString &p : parts) {
        if (p == QLatin1String(".") || p == QLatin1String(".."))
            return QString();
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

QString StorageServer::resolve(const QString &root, const QString &relative)
{
    const QString clean = cleanRelative(relative);
    if (clean.isEmpty() || root.isEmpty())
        return QString();
    const QFileInfo fi(root + clean);
    const QString canonical = fi.canonicalFilePath();
    if (canonical.isEmpty())
        return root + clean; // does not exist (yet); the path itself is safe
    if (!canonical.startsWith(root + QLatin1Char('/')))
        return QString();
    return canonical;
}

QString StorageServer::mimeType(const QString &path)
{
    const QString s = QFileInfo(path).suffix().toLower();
    static const QHash<QString, QString> types = {
        {"png", "image/png"}, {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"gif", "image/gif"},
        {"svg", "image/svg+xml"}, {"webp", "image/webp"}, {"bmp", "image/bmp"},
        {"mp4", "video/mp4"}, {"webm", "video/webm"}, {"mp3", "audio/mpeg"},
        {"pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"},
        {"ppt", "application/vnd.ms-powerpoint"}, {"pdf", "application/pdf"},
        {"txt", "text/plain;charset=UTF-8"}, {"json", "application/json"},
    };
    return types.value(s, QStringLiteral("application/octet-stream"));
}

void StorageServer::install(httplib::Server &server, ApiRouter &router)
{
    auto handler = [this, &router](const httplib::Request &req, httplib::Response &res) {
        router.record(req, QString());
        const QString full = QString::fromStdString(req.path);
        const bool video = full.startsWith(QLatin1String("/video/"));
        const QString root = video ? m_videoRoot : m_docRoot;
        const QString relative = full.mid(video ? 6 : 4);
        if (relative.isEmpty() || relative == QLatin1String("/")) {
            router.reply(res, ApiResult::error(404, QStringLiteral("文件不存在")));
            return;
        }
        const QString local = resolve(root, relative);
        if (local.isEmpty()) {
            router.reply(res, ApiResult::error(403, QStringLiteral("非法的文件路径")));
            return;
        }
        const QFileInfo fi(local);
        if (!fi.isFile() || !fi.isReadable()) {
            router.reply(res, ApiResult::error(404, QStringLiteral("文件不存在")));
            return;
        }
        auto stream = std::make_shared<std::ifstream>(QFile::encodeName(local).toStdString(), std::ios::binary);
        if (!stream->is_open()) {
            router.reply(res, ApiResult::error(404, QStringLiteral("文件不存在")));
            return;
        }
        const size_t size = size_t(fi.size());
        httplib::Ranges &ranges = const_cast<httplib::Request &>(req).ranges;
        if (!fitRanges(ranges, size)) {
            ranges.clear();
            res.set_header("Content-Range", "bytes */" + std::to_string(size));
            router.reply(res, ApiResult::error(416, QStringLiteral("请求的范围无效")));
            return;
        }
        res.set_header("Accept-Ranges", "bytes");
        res.set_header("Cache-Control", "public, max-age=300");
        res.set_content_provider(size, mimeType(local).toStdString(),
                                 [stream](size_t offset, size_t length, httplib::DataSink &sink) {
                                     char buffer[64 * 1024];
                                     stream->clear();
                                     stream->seekg(std::streamoff(offset));
                                     const size_t want = std::min(length, sizeof buffer);
                                     stream->read(buffer, std::streamsize(want));
                                     const std::streamsize got = stream->gcount();
                                     if (got <= 0)
                                         return false;
                                     sink.write(buffer, size_t(got));
                                     return true;
                                 });
    };
    server.Get("^/(doc|video)(/.*)?$", handler);
}
