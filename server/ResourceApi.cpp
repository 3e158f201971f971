#include "ResourceApi.h"

#include "ApiRouter.h"
#include "Curriculum.h"
#include "Database.h"
#include "JsonArgs.h"
#include "SlideRenderer.h"
#include "StorageServer.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

const char *ResourceApi::Courseware = "courseware";
const char *ResourceApi::Micro = "micro";

namespace {
// Query keys that filter a list, and the column each one matches.
struct Filter
{
    const char *key;
    const char *column;
};
const Filter Filters[] = {
    {"grade", "r.grade"},
    {"subject", "r.subject"},
    {"codeVersiontypeid", "r.version"},
    {"smallDbType", "r.small_db_type"},
    {"resRegister", "r.res_register"},
};

QString likeEscape(const QString &s)
{
    QString out = s;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('%'), QLatin1String("\\%"));
    out.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return out;
}

bool isFlag(const QString &s)
{
    return s == QLatin1String("0") || s == QLatin1String("1");
}

bool isPrice(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,6}$"));
    return s.isEmpty() || re.match(s).hasMatch();
}

QString kindWord(const char *kind)
{
    return qstrcmp(kind, ResourceApi::Courseware) == 0 ? QStringLiteral("课件") : QStringLiteral("微课");
}

const char *SelectColumns =
    "SELECT r.id, r.kind, r.name, r.file_src, r.grade, r.subject, r.version, r.small_db_type, r.res_register, "
    "r.tree_id, r.codechapter, r.xuedou, r.is_fee, r.is_share, r.del_flag, r.intro, r.duration, r.created_at, "
    "u.name, r.owner_id, d.slides, "
    "(SELECT COUNT(*) FROM purchases q WHERE q.resource_id = r.id AND q.user_id <> r.owner_id) ";
}

ResourceApi::ResourceApi(Database &db, SlideRenderer &slides, QString docRoot, QString videoRoot)
    : m_db(db)
    , m_slides(slides)
    , m_docRoot(std::move(docRoot))
    , m_videoRoot(std::move(videoRoot))
{
}

void ResourceApi::install(ApiRouter &router)
{
    router.post(QStringLiteral("/v2.0/client/FileClass/list"), [this](ApiCall &c) { return list(c, Courseware, false); });
    router.post(QStringLiteral("/v2.0/client/FileClass/save"), [this](ApiCall &c) { return save(c, Courseware); });
    router.post(QStringLiteral("/v2.0/client/FileClass/share"), [this](ApiCall &c) { return share(c, Courseware); });
    router.post(QStringLiteral("/v2.0/client/FileClass/delete"), [this](ApiCall &c) { return remove(c, Courseware); });
    router.post(QStringLiteral("/v2.0/client/SmallClass/list"), [this](ApiCall &c) { return list(c, Micro, false); });
    router.post(QStringLiteral("/v2.0/client/SmallClass/purchaseList"), [this](ApiCall &c) { return list(c, nullptr, true); });
    router.post(QStringLiteral("/v2.0/client/SmallClass/save"), [this](ApiCall &c) { return save(c, Micro); });
    router.post(QStringLiteral("/v2.0/client/SmallClass/share"), [this](ApiCall &c) { return share(c, Micro); });
    router.post(QStringLiteral("/v2.0/client/SmallClass/delete"), [this](ApiCall &c) { return remove(c, Micro); });
}

ApiResult ResourceApi::list(ApiCall &call, const char *kind, bool purchased)
{
    JsonArgs args(call.body, call.query);
    const JsonArgs::Page page = args.page(12);
    QString where;
    Database::Params params;
    if (purchased) {
        where = QStringLiteral(" FROM resources r JOIN users u ON u.id = r.owner_id "
                               "JOIN purchases p ON p.resource_id = r.id AND p.user_id = ? "
                               "LEFT JOIN deck_slides d ON d.path = r.file_src WHERE 1 = 1");
        params << call.userId;
        // The client's lists ask for their own kind, so that pages and the
        // total are of that kind; without the key both kinds come.
        const QString asked = args.queryText(QStringLiteral("resKind")).trimmed();
        if (asked == QLatin1String("courseware") || asked == QLatin1String("microlecture")) {
            where += QStringLiteral(" AND r.kind = ?");
            params << QString::fromLatin1(asked == QLatin1String("courseware") ? Courseware : Micro);
        }
    } else {
        where = QStringLiteral(" FROM resources r JOIN users u ON u.id = r.owner_id "
                               "LEFT JOIN deck_slides d ON d.path = r.file_src WHERE r.owner_id = ? AND r.kind = ?");
        params << call.userId << QString::fromLatin1(kind);
    }
    const QString keyword = args.keyword(QStringLiteral("name"));
    if (!keyword.isEmpty()) {
        where += QStringLiteral(" AND r.name LIKE ? ESCAPE '\\'");
        params << QStringLiteral("%") + likeEscape(keyword) + QStringLiteral("%");
    }
    for (const Filter &f : Filters) {
        const QString value = args.text(QString::fromLatin1(f.key)).trimmed();
        if (!value.isEmpty()) {
            where += QStringLiteral(" AND %1 = ?").arg(QString::fromLatin1(f.column));
            params << value;
        }
    }
    // A catalogue node also matches the records filed below it: node ids
    // extend their parent's id.
    const QString node = args.text(QStringLiteral("refenencebooktreeid")).trimmed();
    if (!node.isEmpty()) {
        where += QStringLiteral(" AND (r.tree_id = ? OR r.tree_id LIKE ? ESCAPE '\\')");
        params << node << likeEscape(node) + QStringLiteral("%");
    }
    if (!args.ok())
        return ApiResult::fail(args.error());

    const QByteArray countSql = (QStringLiteral("SELECT COUNT(*)") + where).toUtf8();
    const qint64 total = m_db.value(countSql.constData(), params).toLongLong();
    const QString order = purchased ? QStringLiteral(" ORDER BY r.kind ASC, p.purchased_at DESC, r.id DESC")
                                    : QStringLiteral(" ORDER BY r.created_at DESC, r.id DESC");
    const QByteArray sql = (QString::fromLatin1(SelectColumns) + where + order + QStringLiteral(" LIMIT ? OFFSET ?")).toUtf8();
    Database::Params pageParams = params;
    pageParams << page.size << page.offset();
    bool ok = false;
    const auto rows = m_db.query(sql.constData(), pageParams, &ok);
    if (!ok)
        return ApiResult::error(500, QStringLiteral("查询失败，请稍后再试"));

    QJsonArray list;
    for (const auto &r : rows) {
        const bool courseware = r.at(1).toString() == QLatin1String(Courseware);
        QJsonArray pptFiles;
        if (courseware) {
            const QJsonArray slides = QJsonDocument::fromJson(r.at(20).toString().toUtf8()).array();
            for (const QJsonValue &s : slides)
                pptFiles.append(call.docBase() + s.toString());
        }
        QStringList chapterNames;
        for (const QString &id : r.at(10).toString().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = Curriculum::nodeName(id.trimmed());
            chapterNames.append(name.isEmpty() ? id.trimmed() : name);
        }
        Curriculum::Textbook book;
        const bool hasBook = Curriculum::textbook(r.at(8).toString(), &book);
        const bool inUse = r.at(14).toLongLong() != 0 || r.at(21).toLongLong() > 0;
        QJsonObject o{
            {QStringLiteral("id"), QString::number(r.at(0).toLongLong())},
            {QStringLiteral("name"), r.at(2).toString()},
            {QStringLiteral("fileSrc"), r.at(3).toString()},
            {QStringLiteral("grade"), Curriculum::label(QString::fromLatin1(Curriculum::GradeType), r.at(4).toString())},
            {QStringLiteral("subject"), Curriculum::label(QString::fromLatin1(Curriculum::SubjectType), r.at(5).toString())},
            {QStringLiteral("codeVerstiontypeid"), Curriculum::label(QString::fromLatin1(Curriculum::VersionType), r.at(6).toString())},
            {QStringLiteral("smallDbType"), r.at(7).toString()},
            {QStringLiteral("bootName"), hasBook ? book.name : QString()},
            {QStringLiteral("treeName"), Curriculum::nodeName(r.at(9).toString())},
            {QStringLiteral("codeChapter"), chapterNames.join(QLatin1Char(','))},
            {QStringLiteral("xuedou"), r.at(11).toString()},
            {QStringLiteral("isFee"), r.at(12).toString()},
            {QStringLiteral("isshare"), r.at(13).toString()},
            {QStringLiteral("purchase"), purchased ? QStringLiteral("1") : QStringLiteral("0")},
            {QStringLiteral("delFlag"), inUse ? 1 : 0},
            {QStringLiteral("authorName"), r.at(18).toString()},
            {QStringLiteral("authorId"), QString::number(r.at(19).toLongLong())},
            {QStringLiteral("pptFiles"), pptFiles},
            {QStringLiteral("intro"), r.at(15).toString()},
            {QStringLiteral("duration"), r.at(16).toString()},
            {QStringLiteral("createTime"), r.at(17).toString()},
            {QStringLiteral("resRegister"), r.at(8).toString()},
            {QStringLiteral("refenencebooktreeid"), r.at(9).toString()},
            {QStringLiteral("codechapter"), r.at(10).toString()},
            {QStringLiteral("resKind"), courseware ? QStringLiteral("courseware") : QStringLiteral("microlecture")},
        };
        list.append(o);
    }
    return ApiResult::ok(QJsonObject{{QStringLiteral("list"), list},
                                     {QStringLiteral("total"), total},
                                     {QStringLiteral("pageNum"), page.num},
                                     {QStringLiteral("pageSize"), page.size}});
}

ApiResult ResourceApi::save(ApiCall &call, const char *kind)
{
    JsonArgs args(call.body);
    const bool courseware = qstrcmp(kind, Courseware) == 0;
    const QString name = args.text(QStringLiteral("name"), true).trimmed();
    const QString fileSrc = args.text(QStringLiteral("fileSrc"), true).trimmed();
    const QString grade = args.text(QStringLiteral("grade"));
    const QString subject = args.text(QStringLiteral("subject"));
    const QString version = args.text(QStringLiteral("codeVersiontypeid"));
    const QString smallDbType = args.text(QStringLiteral("smallDbType"));
    const QString resRegister = args.text(QStringLiteral("resRegister"));
    const QString treeId = args.text(QStringLiteral("refenencebooktreeid"));
    const QString chapter = args.text(QStringLiteral("codechapter"));
    const QString xuedou = args.text(QStringLiteral("xuedou")).trimmed();
    QString isFee = args.text(QStringLiteral("isFee"));
    QString isShare = args.text(QStringLiteral("isshare"));
    const QString intro = args.text(QStringLiteral("intro"));
    const QString duration = args.text(QStringLiteral("duration"));
    const QString schoolId = args.text(QStringLiteral("schoolid"));
    const QString applyStatus = args.text(QStringLiteral("applystatus"));
    if (!args.ok())
        return ApiResult::fail(args.error());
    if (name.size() > 100)
        return ApiResult::fail(QStringLiteral("名称不能超过100个字"));
    if (isFee.isEmpty())
        isFee = QStringLiteral("0");
    if (isShare.isEmpty())
        isShare = isFee;
    if (!isFlag(isFee) || !isFlag(isShare))
        return ApiResult::fail(QStringLiteral("参数格式错误：isFee"));
    if (!isPrice(xuedou))
        return ApiResult::fail(QStringLiteral("学豆价格格式错误"));
    const QString clean = StorageServer::cleanRelative(fileSrc);
    const QString local = StorageServer::resolve(courseware ? m_docRoot : m_videoRoot, clean);
    if (clean.isEmpty() || local.isEmpty() || !QFileInfo(local).isFile())
        return ApiResult::fail(QStringLiteral("文件不存在，请先上传%1文件").arg(kindWord(kind)));
    const QString suffix = QFileInfo(clean).suffix().toLower();
    if (courseware ? !(suffix == QLatin1String("ppt") || suffix == QLatin1String("pptx")) : suffix != QLatin1String("mp4"))
        return ApiResult::fail(QStringLiteral("%1文件格式不正确").arg(kindWord(kind)));

    const qint64 id = m_db.insert(
        "INSERT INTO resources(kind, owner_id, name, file_src, grade, subject, version, small_db_type, res_register, "
        "tree_id, codechapter, xuedou, is_fee, is_share, del_flag, intro, duration, school_id, applystatus, created_at) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
        {QString::fromLatin1(kind), call.userId, name, clean, grade, subject, version, smallDbType, resRegister, treeId,
         chapter, xuedou, isFee, isShare, intro, duration, schoolId, applyStatus,
         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))});
    if (id == 0)
        return ApiResult::error(500, QStringLiteral("保存失败，请稍后再试"));
    // A deck uploaded without a known name got a cover with its file name.
    if (courseware)
        m_slides.retitle(clean, name);
    return ApiResult::ok(QJsonObject{{QStringLiteral("id"), QString::number(id)}});
}

bool ResourceApi::ownRecord(ApiCall &call, JsonArgs &args, const char *kind, qint64 *id, ApiResult *error)
{
    const QString idText = args.text(QStringLiteral("id"), true).trimmed();
    if (!args.ok()) {
        *error = ApiResult::fail(args.error());
        return false;
    }
    bool ok = false;
    *id = idText.toLongLong(&ok);
    const auto rows = ok ? m_db.query("SELECT owner_id FROM resources WHERE id = ? AND kind = ?", {*id, QString::fromLatin1(kind)})
                         : QVector<Database::Row>();
    if (rows.isEmpty()) {
        *error = ApiResult::fail(QStringLiteral("%1不存在").arg(kindWord(kind)));
        return false;
    }
    if (rows.first().at(0).toLongLong() != call.userId) {
        *error = ApiResult::fail(QStringLiteral("无权操作他人的%1").arg(kindWord(kind)));
        return false;
    }
    return true;
}

ApiResult ResourceApi::share(ApiCall &call, const char *kind)
{
    JsonArgs args(call.body);
    qint64 id = 0;
    ApiResult refusal;
    if (!ownRecord(call, args, kind, &id, &refusal))
        return refusal;
    const QString isFee = args.text(QStringLiteral("isFee"), true);
    QString isShare = args.text(QStringLiteral("isshare"));
    const bool hasName = call.body.contains(QStringLiteral("name"));
    const QString name = args.text(QStringLiteral("name")).trimmed();
    const bool hasPrice = call.body.contains(QStringLiteral("xuedou"));
    const QString xuedou = args.text(QStringLiteral("xuedou")).trimmed();
    if (!args.ok())
        return ApiResult::fail(args.error());
    if (isShare.isEmpty())
        isShare = isFee;
    if (!isFlag(isFee) || !isFlag(isShare))
        return ApiResult::fail(QStringLiteral("参数格式错误：isFee"));
    if (hasName && name.isEmpty())
        return ApiResult::fail(QStringLiteral("标题不能为空"));
    if (hasName && name.size() > 100)
        return ApiResult::fail(QStringLiteral("名称不能超过100个字"));
    if (!isPrice(xuedou))
        return ApiResult::fail(QStringLiteral("学豆价格格式错误"));
    if (isFee == QLatin1String("1")) {
        const QString price = hasPrice ? xuedou : m_db.value("SELECT xuedou FROM resources WHERE id = ?", {id}).toString();
        if (price.toLongLong() <= 0)
            return ApiResult::fail(QStringLiteral("分享前请设置学豆价格"));
    }
    const int changed = m_db.update(
        "UPDATE resources SET is_fee = ?, is_share = ?, name = CASE WHEN ? THEN ? ELSE name END, "
        "xuedou = CASE WHEN ? THEN ? ELSE xuedou END WHERE id = ?",
        {isFee, isShare, hasName ? 1 : 0, name, hasPrice ? 1 : 0, xuedou, id});
    if (changed != 1)
        return ApiResult::error(500, QStringLiteral("分享失败，请稍后再试"));
    return ApiResult::ok();
}

ApiResult ResourceApi::remove(ApiCall &call, const char *kind)
{
    JsonArgs args(call.body);
    qint64 id = 0;
    ApiResult refusal;
    if (!ownRecord(call, args, kind, &id, &refusal))
        return refusal;
    Database::Transaction tx(m_db);
    const auto rows = m_db.query("SELECT del_flag, (SELECT COUNT(*) FROM purchases WHERE resource_id = ?) FROM resources WHERE id = ?",
                                 {id, id});
    if (rows.isEmpty())
        return ApiResult::fail(QStringLiteral("%1不存在").arg(kindWord(kind)));
    if (rows.first().at(0).toLongLong() != 0)
        return ApiResult::fail(QStringLiteral("当前%1已下发使用，无法删除").arg(kindWord(kind)));
    if (rows.first().at(1).toLongLong() > 0)
        return ApiResult::fail(QStringLiteral("当前%1已被其他教师订购，无法删除").arg(kindWord(kind)));
    if (m_db.update("DELETE FROM resources WHERE id = ?", {id}) != 1 || !tx.commit())
        return ApiResult::error(500, QStringLiteral("删除失败，请稍后再试"));
    return ApiResult::ok();
}
