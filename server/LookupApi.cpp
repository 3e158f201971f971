#include "LookupApi.h"

#include "ApiRouter.h"
#include "Curriculum.h"
#include "JsonArgs.h"

#include <QJsonArray>

namespace {
QJsonObject nodesReply(const QVector<Curriculum::Node> &nodes)
{
    QJsonArray list;
    for (const Curriculum::Node &n : nodes)
        list.append(QJsonObject{{QStringLiteral("id"), n.id}, {QStringLiteral("name"), n.name}, {QStringLiteral("parentId"), n.parentId}});
    return QJsonObject{{QStringLiteral("list"), list}};
}
}

void LookupApi::install(ApiRouter &router)
{
    router.post(QStringLiteral("/v2.0/admin/dict/list"), [](ApiCall &call) {
        JsonArgs args(call.body, call.query);
        const QString type = args.queryText(QStringLiteral("type")).trimmed();
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (type.isEmpty())
            return ApiResult::fail(QStringLiteral("缺少参数：type"));
        bool known = false;
        const auto entries = Curriculum::dictionary(type, &known);
        if (!known)
            return ApiResult::fail(QStringLiteral("字典类型不存在：%1").arg(type));
        QJsonArray list;
        int sort = 0;
        for (const auto &e : entries)
            list.append(QJsonObject{{QStringLiteral("id"), e.id}, {QStringLiteral("value"), e.value},
                                    {QStringLiteral("label"), e.label}, {QStringLiteral("type"), type},
                                    {QStringLiteral("sort"), ++sort}});
        return ApiResult::ok(QJsonObject{{QStringLiteral("list"), list}});
    });

    router.post(QStringLiteral("/v2.0/admin/refenencebook/findRefenencebookList"), [](ApiCall &call) {
        JsonArgs args(call.body);
        const QString subject = args.text(QStringLiteral("subject")).trimmed();
        const QString version = args.text(QStringLiteral("version")).trimmed();
        const QString grades = args.text(QStringLiteral("grades")).trimmed();
        if (!args.ok())
            return ApiResult::fail(args.error());
        QJsonArray list;
        for (const auto &t : Curriculum::textbooks(subject, version, grades))
            list.append(QJsonObject{{QStringLiteral("id"), t.id}, {QStringLiteral("name"), t.name},
                                    {QStringLiteral("subject"), QString::number(t.subject)},
                                    {QStringLiteral("version"), QString::number(t.version)},
                                    {QStringLiteral("grades"), QString::number(t.grade)},
                                    {QStringLiteral("term"), t.term == 1 ? QStringLiteral("上册") : QStringLiteral("下册")}});
        return ApiResult::ok(QJsonObject{{QStringLiteral("list"), list}});
    });

    router.post(QStringLiteral("/v2.0/admin/refenencebookTree/saveViwe"), [](ApiCall &call) {
        JsonArgs args(call.body);
        const QString id = args.text(QStringLiteral("twoVolumesId"), true).trimmed();
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (!Curriculum::textbook(id))
            return ApiResult::fail(QStringLiteral("教材不存在"));
        return ApiResult::ok(nodesReply(Curriculum::catalogue(id)));
    });

    router.post(QStringLiteral("/v2.0/admin/testTree/list"), [](ApiCall &call) {
        JsonArgs args(call.body);
        const QString id = args.text(QStringLiteral("refenencebookId"), true).trimmed();
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (!Curriculum::textbook(id))
            return ApiResult::fail(QStringLiteral("教材不存在"));
        return ApiResult::ok(nodesReply(Curriculum::knowledge(id)));
    });
}
