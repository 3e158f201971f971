#pragma once

#include "ApiCall.h"

#include <QSet>

#include <functional>

namespace httplib {
class Server;
struct Request;
struct Response;
}
class RequestRecorder;

// Puts the API paths on the HTTP server: JSON body parsing, the token check,
// the envelope, request recording, and envelopes for every fault.
class ApiRouter
{
public:
    using Handler = std::function<ApiResult(ApiCall &)>;
    using TokenLookup = std::function<qint64(const QString &token)>;
    enum class Access { Token, TokenOptional, Open };

    ApiRouter(httplib::Server &server, RequestRecorder *recorder, TokenLookup lookup, QString fallbackBase);

    void post(const QString &path, Handler handler, Access access = Access::Token);
    void get(const QString &path, Handler handler, Access access = Access::Token);
    // Marks a path handled elsewhere (the upload route) as an API path.
    void addKnownPath(const QString &path) { m_known.insert(path); }
    // Envelope replies for everything no route took; call last.
    void installFallbacks();

    ApiCall makeCall(const httplib::Request &req) const;
    void reply(httplib::Response &res, const ApiResult &result) const;
    void record(const httplib::Request &req, const QString &body) const;
    // Resolves the "token" header; 0 when missing or unknown.
    qint64 userFor(const httplib::Request &req) const;
    static QString tokenMissingMessage();

private:
    void route(const char *method, const QString &path, Handler handler, Access access);

    httplib::Server &m_server;
    RequestRecorder *m_recorder;
    TokenLookup m_lookup;
    QString m_fallbackBase;
    QSet<QString> m_known;
};
