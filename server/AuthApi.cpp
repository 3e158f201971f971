#include "AuthApi.h"

#include "ApiRouter.h"
#include "Database.h"
#include "JsonArgs.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {
const QString Version = QStringLiteral("1.2.0");

QString newToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex();
}
}

AuthApi::AuthApi(Database &db)
    : m_db(db)
{
}

QString AuthApi::hashPassword(const QString &password, const QString &salt)
{
    return QCryptographicHash::hash((salt + QLatin1Char(':') + password).toUtf8(), QCryptographicHash::Sha256).toHex();
}

qint64 AuthApi::userForToken(const QString &token)
{
    return m_db.value("SELECT user_id FROM tokens WHERE token = ?", {token}).toLongLong();
}

void AuthApi::install(ApiRouter &router, httplib::Server &)
{
    router.get(QStringLiteral("/v2.0/login/LoginController/login"), [this](ApiCall &call) {
        const QString username = call.query.value(QStringLiteral("username")).trimmed();
        const QString password = call.query.value(QStringLiteral("password"));
        const QString userType = call.query.value(QStringLiteral("userType"));
        if (username.isEmpty())
            return ApiResult::fail(QStringLiteral("用户名不能为空"));
        if (password.isEmpty())
            return ApiResult::fail(QStringLiteral("密码不能为空"));
        const auto rows = m_db.query("SELECT id, password_hash, salt, name, phone, xuedou, company_id, user_type, school "
                                     "FROM users WHERE username = ?",
                                     {username});
        if (rows.isEmpty())
            return ApiResult::fail(QStringLiteral("用户不存在"));
        const auto &u = rows.first();
        if (hashPassword(password, u.at(2).toString()) != u.at(1).toString())
            return ApiResult::fail(QStringLiteral("用户名或密码错误"));
        if (!userType.isEmpty() && userType != u.at(7).toString()) {
            return ApiResult::fail(userType == QLatin1String("3") ? QStringLiteral("该账号不是教师账号，请使用教师账号登录")
                                                                  : QStringLiteral("账号类型不匹配"));
        }
        const QString token = newToken();
        if (!m_db.exec("INSERT INTO tokens(token, user_id, created_at) VALUES(?, ?, ?)",
                       {token, u.at(0), QDateTime::currentDateTime().toString(Qt::ISODate)}))
            return ApiResult::error(500, QStringLiteral("登录失败，请稍后再试"));
        QJsonObject user{
            {QStringLiteral("id"), QString::number(u.at(0).toLongLong())},
            {QStringLiteral("username"), username},
            {QStringLiteral("phone"), u.at(4).toString()},
            {QStringLiteral("name"), u.at(3).toString()},
            {QStringLiteral("xuedou"), u.at(5).toString()},
            {QStringLiteral("companyId"), u.at(6).toString()},
            {QStringLiteral("companyName"), u.at(8).toString()},
            {QStringLiteral("userType"), u.at(7).toString()},
        };
        return ApiResult::ok(QJsonObject{{QStringLiteral("ver"), Version},
                                         {QStringLiteral("token"), token},
                                         {QStringLiteral("user"), user}});
    }, ApiRouter::Access::Open);

    // The web pages greet the signed-in teacher without handing out a token.
    router.get(QStringLiteral("/web/session"), [this](ApiCall &call) {
        const QString username = call.query.value(QStringLiteral("username")).trimmed();
        const QString password = call.query.value(QStringLiteral("password"));
        const auto rows = m_db.query("SELECT password_hash, salt, name, school, user_type FROM users WHERE username = ?",
                                     {username});
        if (rows.isEmpty())
            return ApiResult::fail(QStringLiteral("用户不存在"));
        if (hashPassword(password, rows.first().at(1).toString()) != rows.first().at(0).toString())
            return ApiResult::fail(QStringLiteral("用户名或密码错误"));
        return ApiResult::ok(QJsonObject{{QStringLiteral("username"), username},
                                         {QStringLiteral("name"), rows.first().at(2).toString()},
                                         {QStringLiteral("school"), rows.first().at(3).toString()},
                                         {QStringLiteral("userType"), rows.first().at(4).toString()}});
    }, ApiRouter::Access::Open);
}
