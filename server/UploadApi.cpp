#include "UploadApi.h"

#include "ApiRouter.h"
#include "Database.h"
#include "SlideRenderer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUuid>
#include <httplib.h>

#include <memory>

const char *UploadApi::Path = "/v2.0/file/FileController/uploadFile";

namespace {
struct Part
{
    QString name;
    QString fileName;
    QString contentType;
    qint64 size = 0;
};

QString safeSuffix(const QString &fileName, const QString &contentType)
{
    static const QRegularExpression re(QStringLiteral("^[a-z0-9]{1,8}$"));
    const QString s = QFileInfo(fileName).suffix().toLower();
    if (re.match(s).hasMatch())
        return s;
    if (contentType == QLatin1String("video/mp4"))
        return QStringLiteral("mp4");
    if (contentType == QLatin1String("image/png"))
        return QStringLiteral("png");
    if (contentType == QLatin1String("image/jpeg"))
        return QStringLiteral("jpg");
    if (contentType.contains(QLatin1String("powerpoint")) || contentType.contains(QLatin1String("presentation")))
        return QStringLiteral("pptx");
    return QStringLiteral("bin");
}

QJsonArray describe(const QVector<Part> &parts)
{
    QJsonArray out;
    for (const Part &p : parts)
        out.append(QJsonObject{{QStringLiteral("name"), p.name},
                               {QStringLiteral("filename"), p.fileName},
                               {QStringLiteral("contentType"), p.contentType},
                               {QStringLiteral("size"), p.size}});
    return out;
}
}

UploadApi::UploadApi(Database &db, SlideRenderer &slides, QString docRoot, QString videoRoot, QString tempDir, qint64 maxBytes)
    : m_db(db)
    , m_slides(slides)
    , m_docRoot(std::move(docRoot))
    , m_videoRoot(std::move(videoRoot))
    , m_tempDir(std::move(tempDir))
    , m_maxBytes(maxBytes)
{
}

ApiResult UploadApi::tooLargeResult() const
{
    return ApiResult::error(413, QStringLiteral("文件超过大小限制（最大%1 MB）").arg(m_maxBytes / (1024 * 1024)));
}

void UploadApi::install(httplib::Server &server, ApiRouter &router)
{
    const QString path = QString::fromLatin1(Path);
    router.addKnownPath(path);
    const std::string pattern = QRegularExpression::escape(path).toStdString();

    // Without a body there is nothing to read.
    server.Post(pattern, [&router](const httplib::Request &req, httplib::Response &res) {
        router.record(req, QString::fromStdString(req.body));
        router.reply(res, ApiResult::fail(QStringLiteral("缺少上传文件")));
    });

    server.Post(pattern, [this, &router](const httplib::Request &req, httplib::Response &res,
                                         const httplib::ContentReader &reader) {
        const qint64 userId = router.userFor(req);
        if (!req.is_multipart_form_data()) {
            std::string body;
            reader([&body](const char *data, size_t length) {
                if (body.size() < 4096)
                    body.append(data, std::min(length, size_t(4096)));
                return true;
            });
            router.record(req, QString::fromStdString(body));
            router.reply(res, ApiResult::error(400, QStringLiteral("请以multipart/form-data方式上传文件")));
            return;
        }

        // A body announced far beyond the limit is refused from its length:
        // reading it first would take as long as the client cares to stall.
        const qint64 announced = QByteArray::fromStdString(req.get_header_value("Content-Length")).toLongLong();
        if (announced > m_maxBytes + MultipartSlack) {
            router.record(req, QStringLiteral("[]"));
            res.set_header("Connection", "close");
            router.reply(res, tooLargeResult());
            return;
        }

        QVector<Part> parts;
        std::unique_ptr<QFile> out;
        int filePart = -1;
        bool tooLarge = false;
        bool writeFailed = false;
        QDir().mkpath(m_tempDir);
        const QString tempPath = m_tempDir + QStringLiteral("/upload-") + QUuid::createUuid().toString(QUuid::Id128);

        const bool read = reader(
            [&](const httplib::MultipartFormData &header) {
                Part p;
                p.name = QString::fromStdString(header.name);
                p.fileName = QString::fromStdString(header.filename);
                p.contentType = QString::fromStdString(header.content_type);
                parts.append(p);
                if (filePart < 0 && p.name == QLatin1String("file") && !header.filename.empty()) {
                    filePart = parts.size() - 1;
                    out = std::make_unique<QFile>(tempPath);
                    if (!out->open(QIODevice::WriteOnly))
                        writeFailed = true;
                }
                return !writeFailed;
            },
            [&](const char *data, size_t length) {
                Part &p = parts.last();
                p.size += qint64(length);
                if (parts.size() - 1 != filePart)
                    return true;
                if (p.size > m_maxBytes) {
                    tooLarge = true;
                    return false;
                }
                if (out->write(data, qint64(length)) != qint64(length)) {
                    writeFailed = true;
                    return false;
                }
                return true;
            });

        const QJsonArray described = describe(parts);
        router.record(req, QString::fromUtf8(QJsonDocument(described).toJson(QJsonDocument::Compact)));
        auto discard = [&]() {
            if (out) {
                out->close();
                out->remove();
            }
        };
        if (tooLarge) {
            discard();
            res.set_header("Connection", "close");
            router.reply(res, tooLargeResult());
            return;
        }
        if (writeFailed) {
            discard();
            router.reply(res, ApiResult::error(500, QStringLiteral("文件保存失败，请稍后再试")));
            return;
        }
        if (!read) {
            discard();
            res.set_header("Connection", "close");
            router.reply(res, ApiResult::error(400, QStringLiteral("上传内容不完整或格式错误")));
            return;
        }
        if (filePart < 0) {
            router.reply(res, ApiResult::fail(QStringLiteral("缺少上传文件")));
            return;
        }
        const Part file = parts.at(filePart);
        if (file.size == 0) {
            discard();
            router.reply(res, ApiResult::fail(QStringLiteral("上传的文件为空")));
            return;
        }
        out->close();

        const QString suffix = safeSuffix(file.fileName, file.contentType);
        const bool video = file.contentType == QLatin1String("video/mp4") || suffix == QLatin1String("mp4");
        const QString day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        const QString relative = QStringLiteral("/upload/%1/%2.%3").arg(day, QUuid::createUuid().toString(QUuid::Id128), suffix);
        const QString root = video ? m_videoRoot : m_docRoot;
        QDir().mkpath(root + QStringLiteral("/upload/") + day);
        if (!QFile::rename(tempPath, root + relative)) {
            discard();
            router.reply(res, ApiResult::error(500, QStringLiteral("文件保存失败，请稍后再试")));
            return;
        }
        m_db.exec("INSERT OR REPLACE INTO stored_files(storage, path, owner_id, original_name, content_type, size, created_at) "
                  "VALUES(?, ?, ?, ?, ?, ?, ?)",
                  {video ? QStringLiteral("video") : QStringLiteral("doc"), relative,
                   userId ? QVariant(userId) : QVariant(), file.fileName.left(255), file.contentType.left(100), file.size,
                   QDateTime::currentDateTime().toString(Qt::ISODate)});
        if (!video && (suffix == QLatin1String("ppt") || suffix == QLatin1String("pptx")))
            m_slides.addDeck(relative, QFileInfo(file.fileName).completeBaseName());
        router.reply(res, ApiResult::ok(QJsonObject{{QStringLiteral("filepath"), relative},
                                                     {QStringLiteral("fileName"), file.fileName},
                                                     {QStringLiteral("fileSize"), file.size},
                                                     {QStringLiteral("storage"), video ? QStringLiteral("video") : QStringLiteral("doc")}}));
    });
}
