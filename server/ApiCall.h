#pragma once

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace httplib {
struct Request;
}

// One API request as the handlers see it: the JSON body, the query, the
// teacher the token belongs to and the address the client reached us at.
struct ApiCall
{
    const httplib::Request *request = nullptr;
    QJsonObject body;
    QHash<QString, QString> query;
    qint64 userId = 0;
    QString baseUrl; // "http://host:port", no trailing slash

    QString docBase() const { return baseUrl + QStringLiteral("/doc"); }
    QString videoBase() const { return baseUrl + QStringLiteral("/video"); }
    QString header(const char *name) const;
};

// The reply envelope: "code" 1 and "msg" "成功" on success.
struct ApiResult
{
    int status = 200;
    int code = 1;
    QString msg = QStringLiteral("成功");
    QJsonValue data = QJsonObject();

    static ApiResult ok(const QJsonValue &data = QJsonObject());
    // A refusal the client reads from the envelope (HTTP 200).
    static ApiResult fail(const QString &msg, int code = 0);
    // A protocol fault: 4xx/5xx status with an envelope body.
    static ApiResult error(int status, const QString &msg);

    QByteArray toJson() const;
};
