#pragma once

#include <QString>

namespace httplib {
class Server;
}
class ApiRouter;
class Database;

// The platform's web pages shown inside the client (exercise input,
// multi-terminal) and the document viewer's embed page.
class WebPages
{
public:
    WebPages(Database &db, QString docRoot);
    void install(httplib::Server &server, ApiRouter &router);

private:
    QString embedPage(const QString &src, const QString &docBase);

    Database &m_db;
    QString m_docRoot;
};
