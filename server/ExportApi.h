#pragma once

class ApiRouter;
class Database;

// The daily export allowance: getFrequency tells it, save counts each
// teacher's exports of the day and refuses what would exceed it.
class ExportApi
{
public:
    ExportApi(Database &db, int dailyLimit);
    void install(ApiRouter &router);

private:
    Database &m_db;
    int m_dailyLimit;
};
