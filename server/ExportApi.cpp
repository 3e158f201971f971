#include "ExportApi.h"

#include "ApiRouter.h"
#include "Database.h"
#include "JsonArgs.h"

#include <QDateTime>

ExportApi::ExportApi(Database &db, int dailyLimit)
    : m_db(db)
    , m_dailyLimit(dailyLimit)
{
}

void ExportApi::install(ApiRouter &router)
{
    router.post(QStringLiteral("/v2.0/client/LmResExport/getFrequency"), [this](ApiCall &call) {
        JsonArgs args(call.body);
        const QString label = args.text(QStringLiteral("label"));
        const QString type = args.text(QStringLiteral("type"));
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (!type.isEmpty() && type != QLatin1String("CODE_EXPORTTYPE"))
            return ApiResult::fail(QStringLiteral("字典类型不存在：%1").arg(type));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const qint64 used = m_db.value("SELECT COALESCE(SUM(frequency), 0) FROM exports WHERE user_id = ? AND day = ?",
                                       {call.userId, today}).toLongLong();
        const QJsonObject dict{{QStringLiteral("id"), QStringLiteral("901")},
                               {QStringLiteral("type"), QStringLiteral("CODE_EXPORTTYPE")},
                               {QStringLiteral("label"), label.isEmpty() ? QStringLiteral("3") : label},
                               {QStringLiteral("value"), QString::number(m_dailyLimit)},
                               {QStringLiteral("frequency"), m_dailyLimit}};
        return ApiResult::ok(QJsonObject{{QStringLiteral("lmQuestionDict"), dict},
                                         {QStringLiteral("used"), used},
                                         {QStringLiteral("remaining"), qMax<qint64>(0, m_dailyLimit - used)}});
    });

    router.post(QStringLiteral("/v2.0/client/LmResExport/save"), [this](ApiCall &call) {
        JsonArgs args(call.body);
        const qint64 count = args.integer(QStringLiteral("frequency"), 0, true);
        const QString resName = args.text(QStringLiteral("resName"));
        const QString resUrl = args.text(QStringLiteral("resUrl"));
        const QString type = args.text(QStringLiteral("type"));
        if (!args.ok())
            return ApiResult::fail(args.error());
        if (count < 1 || count > 1000)
            return ApiResult::fail(QStringLiteral("导出数量不正确"));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        // Check and count in one transaction so that parallel exports cannot
        // both pass the check.
        Database::Transaction tx(m_db);
        const qint64 used = m_db.value("SELECT COALESCE(SUM(frequency), 0) FROM exports WHERE user_id = ? AND day = ?",
                                       {call.userId, today}).toLongLong();
        if (used + count > m_dailyLimit)
            return ApiResult::fail(QStringLiteral("今日导出次数不足，每天最多导出%1条，今日已导出%2条").arg(m_dailyLimit).arg(used), 2);
        if (!m_db.insert("INSERT INTO exports(user_id, day, frequency, res_name, res_url, type, created_at) VALUES(?, ?, ?, ?, ?, ?, ?)",
                         {call.userId, today, count, resName.left(4000), resUrl.left(1000), type.left(20),
                          QDateTime::currentDateTime().toString(Qt::ISODate)})
            || !tx.commit())
            return ApiResult::error(500, QStringLiteral("导出记录保存失败"));
        return ApiResult::ok(QJsonObject{{QStringLiteral("used"), used + count},
                                         {QStringLiteral("remaining"), m_dailyLimit - used - count}});
    });
}
