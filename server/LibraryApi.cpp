#include "LibraryApi.h"

#include "ApiRouter.h"
#include "Database.h"
#include "JsonArgs.h"
#include "StorageServer.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
QString likeEscape(const QString &s)
{
    QString out = s;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('%'), QLatin1String("\\%"));
    out.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return out;
}

const QStringList PictureSuffixes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                     QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp")};
}

LibraryApi::LibraryApi(Database &db, QString docRoot)
    : m_db(db)
    , m_docRoot(std::move(docRoot))
{
}

bool LibraryApi::isSort(qint64 sort)
{
    return sort == Images || sort == Vectors || sort == Shapes || sort == Videos || sort == Templates;
}

void LibraryApi::install(ApiRouter &router)
{
    router.post(QStringLiteral("/v2.0/client/LmResManagement/getList"), [this](ApiCall &c) { return categories(c); });
    router.post(QStringLiteral("/v2.0/client/LmResManagement/findList"), [this](ApiCall &c) { return resources(c); });
    router.post(QStringLiteral("/v2.0/file/FileController/list"), [this](ApiCall &c) { return ownList(c); });
    router.post(QStringLiteral("/v2.0/file/FileController/save"), [this](ApiCall &c) { return ownSave(c); });
    router.post(QStringLiteral("/v2.0/file/FileController/deleteFileById"), [this](ApiCall &c) { return ownDelete(c); });
}

ApiResult LibraryApi::categories(ApiCall &call)
{
    JsonArgs args(call.body, call.query);
    const qint64 sort = args.integer(QStringLiteral("resSort"), 0, true);
    if (!args.ok())
        return ApiResult::fail(args.error());
    if (!isSort(sort))
        return ApiResult::fail(QStringLiteral("资源类型不存在"));
    QJsonArray list;
    for (const auto &r : m_db.query("SELECT id, res_describe, res_sort FROM lib_categories WHERE res_sort = ? ORDER BY sort, id", {sort})) {
        list.append(QJsonObject{{QStringLiteral("id"), QString::number(r.at(0).toLongLong())},
                                {QStringLiteral("resDescribe"), r.at(1).toString()},
                                {QStringLiteral("resSort"), QString::number(r.at(2).toLongLong())}});
    }
    return ApiResult::ok(QJsonObject{{QStringLiteral("list"), list}});
}

ApiResult LibraryApi::resources(ApiCall &call)
{
    JsonArgs args(call.body, call.query);
    const qint64 sort = args.integer(QStringLiteral("resSort"), 0, true);
    const qint64 category = args.integer(QStringLiteral("id"), 0);
    const QString title = args.keyword(QStringLiteral("title"));
    const JsonArgs::Page page = args.page(10);
    if (!args.ok())
        return ApiResult::fail(args.error());
    if (!isSort(sort))
        return ApiResult::fail(QStringLiteral("资源类型不存在"));
    QString where = QStringLiteral(" FROM lib_resources WHERE res_sort = ?");
    Database::Params params{sort};
    if (category != 0) {
        if (m_db.value("SELECT COUNT(*) FROM lib_categories WHERE id = ? AND res_sort = ?", {category, sort}).toLongLong() == 0)
            return ApiResult::fail(QStringLiteral("分类不存在"));
        where += QStringLiteral(" AND category_id = ?");
        params << category;
    }
    if (!title.isEmpty()) {
        where += QStringLiteral(" AND (title LIKE ? ESCAPE '\\' OR res_describe LIKE ? ESCAPE '\\')");
        const QString like = QStringLiteral("%") + likeEscape(title) + QStringLiteral("%");
        params << like << like;
    }
    const qint64 total = m_db.value((QStringLiteral("SELECT COUNT(*)") + where).toUtf8().constData(), params).toLongLong();
    Database::Params pageParams = params;
    pageParams << page.size << page.offset();
    const QByteArray sql = (QStringLiteral("SELECT id, res_file, res_describe, title, ppt_files, category_id") + where
                            + QStringLiteral(" ORDER BY sort, id LIMIT ? OFFSET ?"))
                               .toUtf8();
    QJsonArray list;
    for (const auto &r : m_db.query(sql.constData(), pageParams)) {
        QJsonArray ppt;
        for (const QJsonValue &v : QJsonDocument::fromJson(r.at(4).toString().toUtf8()).array())
            ppt.append(call.docBase() + v.toString());
        list.append(QJsonObject{{QStringLiteral("id"), QString::number(r.at(0).toLongLong())},
                                {QStringLiteral("resFile"), r.at(1).toString()},
                                {QStringLiteral("resDescribe"), r.at(2).toString()},
                                {QStringLiteral("title"), r.at(3).toString()},
                                {QStringLiteral("pptFiles"), ppt},
                                {QStringLiteral("categoryId"), QString::number(r.at(5).toLongLong())},
                                {QStringLiteral("resSort"), QString::number(sort)}});
    }
    const QJsonObject pageObject{{QStringLiteral("list"), list},
                                 {QStringLiteral("total"), total},
                                 {QStringLiteral("pageNum"), page.num},
                                 {QStringLiteral("pageSize"), page.size}};
    return ApiResult::ok(QJsonObject{{QStringLiteral("page"), pageObject}});
}

ApiResult LibraryApi::ownList(ApiCall &call)
{
    JsonArgs args(call.body, call.query);
    const JsonArgs::Page page = args.page(10);
    const QString creator = args.text(QStringLiteral("creatorId")).trimmed();
    const qint64 libType = args.integer(QStringLiteral("fileLibType"), 2);
    if (!args.ok())
        return ApiResult::fail(args.error());
    if (!creator.isEmpty() && creator != QString::number(call.userId))
        return ApiResult::fail(QStringLiteral("无权查看其他教师的图片"));
    const qint64 total = m_db.value("SELECT COUNT(*) FROM own_pictures WHERE owner_id = ? AND file_lib_type = ?",
                                    {call.userId, libType}).toLongLong();
    QJsonArray list;
    for (const auto &r : m_db.query("SELECT id, file_name, file_realname, file_size, file_suffix, created_at FROM own_pictures "
                                    "WHERE owner_id = ? AND file_lib_type = ? ORDER BY id DESC LIMIT ? OFFSET ?",
                                    {call.userId, libType, page.size, page.offset()})) {
        list.append(QJsonObject{{QStringLiteral("id"), QString::number(r.at(0).toLongLong())},
                                {QStringLiteral("fileName"), r.at(1).toString()},
                                {QStringLiteral("fileRealname"), r.at(2).toString()},
                                {QStringLiteral("fileSize"), r.at(3).toLongLong()},
                                {QStringLiteral("fileSuffix"), r.at(4).toString()},
                                {QStringLiteral("fileLibType"), libType},
                                {QStringLiteral("creatorId"), QString::number(call.userId)},
                                {QStringLiteral("createTime"), r.at(5).toString()}});
    }
    return ApiResult::ok(QJsonObject{{QStringLiteral("list"), QJsonObject{{QStringLiteral("list"), list},
                                                                          {QStringLiteral("total"), total}}}});
}

ApiResult LibraryApi::ownSave(ApiCall &call)
{
    JsonArgs args(call.body);
    const QString fileName = args.text(QStringLiteral("fileName"), true).trimmed();
    const qint64 libType = args.integer(QStringLiteral("fileLibType"), 2);
    QString realName = args.text(QStringLiteral("fileRealname")).trimmed();
    const qint64 size = args.integer(QStringLiteral("fileSize"), -1);
    QString suffix = args.text(QStringLiteral("fileSuffix")).trimmed().toLower();
    if (!args.ok())
        return ApiResult::fail(args.error());
    const QString clean = StorageServer::cleanRelative(fileName);
    const QString local = StorageServer::resolve(m_docRoot, clean);
    if (clean.isEmpty() || local.isEmpty() || !QFileInfo(local).isFile())
        return ApiResult::fail(QStringLiteral("图片文件不存在，请先上传"));
    if (!PictureSuffixes.contains(QFileInfo(clean).suffix().toLower()))
        return ApiResult::fail(QStringLiteral("只能保存图片文件"));
    // A picture uploaded by another teacher, or held in another teacher's
    // list (seeded ones, and uploads that came without a token), cannot be
    // claimed.
    const QVariant owner = m_db.value("SELECT owner_id FROM stored_files WHERE storage = 'doc' AND path = ?", {clean});
    const bool heldByOther = m_db.value("SELECT COUNT(*) FROM own_pictures WHERE file_name = ? AND owner_id <> ?",
                                        {clean, call.userId}).toLongLong() > 0;
    if ((!owner.isNull() && owner.toLongLong() != call.userId) || heldByOther)
        return ApiResult::fail(QStringLiteral("无权保存其他教师的图片"));
    // An upload without a token belongs to its first registrant from now on.
    m_db.update("UPDATE stored_files SET owner_id = ? WHERE storage = 'doc' AND path = ? AND owner_id IS NULL",
                {call.userId, clean});
    if (realName.isEmpty())
        realName = QFileInfo(clean).fileName();
    if (suffix.isEmpty())
        suffix = QFileInfo(clean).suffix().toLower();
    const qint64 id = m_db.insert("INSERT INTO own_pictures(owner_id, file_name, file_lib_type, file_realname, file_size, file_suffix, created_at) "
                                  "VALUES(?, ?, ?, ?, ?, ?, ?)",
                                  {call.userId, clean, libType, realName.left(200),
                                   size >= 0 ? size : QFileInfo(local).size(), suffix.left(10),
                                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    if (id == 0)
        return ApiResult::error(500, QStringLiteral("保存失败，请稍后再试"));
    return ApiResult::ok(QJsonObject{{QStringLiteral("id"), QString::number(id)}});
}

ApiResult LibraryApi::ownDelete(ApiCall &call)
{
    JsonArgs args(call.body);
    const qint64 id = args.integer(QStringLiteral("id"), 0, true);
    if (!args.ok())
        return ApiResult::fail(args.error());
    const QVariant owner = m_db.value("SELECT owner_id FROM own_pictures WHERE id = ?", {id});
    if (!owner.isValid() || owner.isNull())
        return ApiResult::fail(QStringLiteral("图片不存在"));
    if (owner.toLongLong() != call.userId)
        return ApiResult::fail(QStringLiteral("无权删除其他教师的图片"));
    if (m_db.update("DELETE FROM own_pictures WHERE id = ? AND owner_id = ?", {id, call.userId}) != 1)
        return ApiResult::error(500, QStringLiteral("删除失败，请稍后再试"));
    return ApiResult::ok();
}
