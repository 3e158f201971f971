#include "ApiRouter.h"

#include "RequestRecorder.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <httplib.h>

namespace {
constexpr int MaxJsonBody = 1 << 20;

std::string pattern(const QString &path)
{
    return QRegularExpression::escape(path).toStdString();
}
}

ApiRouter::ApiRouter(httplib::Server &server, RequestRecorder *recorder, TokenLookup lookup, QString fallbackBase)
    : m_server(server)
    , m_recorder(recorder)
    , m_lookup(std::move(lookup))
    , m_fallbackBase(std::move(fallbackBase))
{
}

QString ApiRouter::tokenMissingMessage()
{
    return QStringLiteral("登录已失效，请重新登录");
}

qint64 ApiRouter::userFor(const httplib::Request &req) const
{
    if (!req.has_header("token"))
        return 0;
    const QString token = QString::fromStdString(req.get_header_value("token")).trimmed();
    if (token.isEmpty())
        return 0;
    return m_lookup(token);
}

ApiCall ApiRouter::makeCall(const httplib::Request &req) const
{
    ApiCall call;
    call.request = &req;
    for (const auto &p : req.params) {
        const QString key = QString::fromStdString(p.first);
        if (!call.query.contains(key))
            call.query.insert(key, QString::fromStdString(p.second));
    }
    // Full addresses in replies use the host the client asked for, so they
    // work whichever loopback name or port it used.
    static const QRegularExpression safeHost(QStringLiteral("^[A-Za-z0-9.\\-]+(:[0-9]{1,5})?$|^\\[[0-9A-Fa-f:.]+\\](:[0-9]{1,5})?$"));
    const QString host = QString::fromStdString(req.get_header_value("Host"));
    call.baseUrl = safeHost.match(host).hasMatch() ? QStringLiteral("http://") + host : m_fallbackBase;
    return call;
}

void ApiRouter::reply(httplib::Response &res, const ApiResult &result) const
{
    res.status = result.status;
    const QByteArray json = result.toJson();
    res.set_content(json.constData(), size_t(json.size()), "application/json;charset=UTF-8");
}

void ApiRouter::record(const httplib::Request &req, const QString &body) const
{
    if (m_recorder)
        m_recorder->record(req, body);
}

void ApiRouter::route(const char *method, const QString &path, Handler handler, Access access)
{
    m_known.insert(path);
    auto wrapped = [this, handler, access](const httplib::Request &req, httplib::Response &res) {
        record(req, QString::fromStdString(req.body));
        ApiCall call = makeCall(req);
        if (access != Access::Open) {
            call.userId = userFor(req);
            if (access == Access::Token && call.userId == 0) {
                reply(res, ApiResult::error(401, tokenMissingMessage()));
                return;
            }
        }
        if (req.body.size() > size_t(MaxJsonBody)) {
            reply(res, ApiResult::error(413, QStringLiteral("请求内容过大")));
            return;
        }
        const QByteArray raw = QByteArray::fromStdString(req.body).trimmed();
        if (!raw.isEmpty()) {
            QJsonParseError err;
            const QJsonDocument doc = QJsonDocument::fromJson(raw, &err);
            if (err.error != QJsonParseError::NoError) {
                reply(res, ApiResult::error(400, QStringLiteral("请求内容不是有效的JSON：%1").arg(err.errorString())));
                return;
            }
            if (!doc.isObject()) {
                reply(res, ApiResult::error(400, QStringLiteral("请求内容必须是JSON对象")));
                return;
            }
            call.body = doc.object();
        }
        reply(res, handler(call));
    };
    if (qstrcmp(method, "GET") == 0)
        m_server.Get(pattern(path), wrapped);
    else
        m_server.Post(pattern(path), wrapped);
}

void ApiRouter::post(const QString &path, Handler handler, Access access)
{
    route("POST", path, std::move(handler), access);
}

void ApiRouter::get(const QString &path, Handler handler, Access access)
{
    route("GET", path, std::move(handler), access);
}

void ApiRouter::installFallbacks()
{
    auto fallback = [this](const httplib::Request &req, httplib::Response &res) {
        record(req, QString::fromStdString(req.body.substr(0, 4096)));
        const QString path = QString::fromStdString(req.path);
        if (m_known.contains(path))
            reply(res, ApiResult::error(405, QStringLiteral("不支持的请求方式：%1").arg(QString::fromStdString(req.method))));
        else
            reply(res, ApiResult::error(404, QStringLiteral("接口不存在：%1").arg(path)));
    };
    m_server.Get(".*", fallback);
    m_server.Post(".*", fallback);
    m_server.Put(".*", fallback);
    m_server.Patch(".*", fallback);
    m_server.Delete(".*", fallback);
    m_server.Options(".*", fallback);

    m_server.set_error_handler(httplib::Server::HandlerWithResponse([this](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        QString msg;
        switch (res.status) {
        case 400: msg = QStringLiteral("请求格式错误"); break;
        case 404: msg = QStringLiteral("资源不存在"); break;
        case 413: msg = QStringLiteral("请求内容过大"); break;
        case 414: msg = QStringLiteral("请求地址过长"); break;
        case 416: msg = QStringLiteral("请求的范围无效"); break;
        default: msg = QStringLiteral("请求失败（%1）").arg(res.status);
        }
        ApiResult r = ApiResult::error(res.status, msg);
        reply(res, r);
        return httplib::Server::HandlerResponse::Handled;
    }));
    m_server.set_exception_handler([this](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        reply(res, ApiResult::error(500, QStringLiteral("服务器内部错误")));
    });
}
