#pragma once

class ApiRouter;
class Database;

// Help articles of the three input modules, searchable by title.
class HelpApi
{
public:
    explicit HelpApi(Database &db);
    void install(ApiRouter &router);

private:
    Database &m_db;
};
