#pragma once

#include <QString>

class ApiRouter;
class Database;
namespace httplib {
class Server;
}

// Accounts and tokens: login hands out a fresh token; every other API
// request is checked against the tokens handed out.
class AuthApi
{
public:
    explicit AuthApi(Database &db);

    void install(ApiRouter &router, httplib::Server &server);
    qint64 userForToken(const QString &token);

    static QString hashPassword(const QString &password, const QString &salt);

private:
    Database &m_db;
};
