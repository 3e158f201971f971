#include "HelpApi.h"

#include "ApiRouter.h"
#include "Database.h"
#include "JsonArgs.h"

#include <QJsonArray>

HelpApi::HelpApi(Database &db)
    : m_db(db)
{
}

void HelpApi::install(ApiRouter &router)
{
    router.post(QStringLiteral("/v2.0/client/ClientBasHelp/getList"), [this](ApiCall &call) {
        JsonArgs args(call.body);
        const QString resType = args.text(QStringLiteral("resType"), true).trimmed();
        const QString title = args.keyword(QStringLiteral("title"));
        args.text(QStringLiteral("type"));
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (resType != QLatin1String("1") && resType != QLatin1String("2") && resType != QLatin1String("3"))
            return ApiResult::fail(QStringLiteral("帮助类型不存在"));
        QString like = title;
        like.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        like.replace(QLatin1Char('%'), QLatin1String("\\%"));
        like.replace(QLatin1Char('_'), QLatin1String("\\_"));
        QJsonArray list;
        for (const auto &r : m_db.query("SELECT id, title, content, files FROM help_articles WHERE res_type = ? "
                                        "AND title LIKE ? ESCAPE '\\' ORDER BY sort, id",
                                        {resType, QStringLiteral("%") + like + QStringLiteral("%")})) {
            list.append(QJsonObject{{QStringLiteral("id"), QString::number(r.at(0).toLongLong())},
                                    {QStringLiteral("title"), r.at(1).toString()},
                                    {QStringLiteral("content"), r.at(2).toString()},
                                    {QStringLiteral("files"), r.at(3).toString()},
                                    {QStringLiteral("resType"), resType}});
        }
        return ApiResult::ok(QJsonObject{{QStringLiteral("list"), list}, {QStringLiteral("total"), list.size()}});
    });
}
