#include "ApiCall.h"

#include <QJsonDocument>
#include <httplib.h>

QString ApiCall::header(const char *name) const
{
    if (!request || !request->has_header(name))
        return QString();
    return QString::fromStdString(request->get_header_value(name));
}

ApiResult ApiResult::ok(const QJsonValue &data)
{
    ApiResult r;
    r.data = data;
    return r;
}

ApiResult ApiResult::fail(const QString &msg, int code)
{
    ApiResult r;
    r.code = code;
    r.msg = msg;
    return r;
}

ApiResult ApiResult::error(int status, const QString &msg)
{
    ApiResult r;
    r.status = status;
    r.code = status;
    r.msg = msg;
    return r;
}

QByteArray ApiResult::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("code"), code);
    o.insert(QStringLiteral("msg"), msg);
    o.insert(QStringLiteral("data"), data);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
