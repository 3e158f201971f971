#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <mutex>

struct sqlite3;

// The platform's records: one SQLite connection in WAL mode shared by the
// request threads. Every statement is prepared with bound parameters; a
// recursive lock serialises statements and spans transactions.
class Database
{
public:
    using Row = QVector<QVariant>;
    using Params = QVector<QVariant>;

    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    bool open(const QString &path, QString *error);
    void close();

    // Runs one statement; rows of a query are returned. On failure the rows
    // are empty and ok (when given) is false.
    QVector<Row> query(const char *sql, const Params &params = {}, bool *ok = nullptr);
    // First column of the first row, or an invalid variant.
    QVariant value(const char *sql, const Params &params = {});
    // Runs a statement that changes data; returns false on failure.
    bool exec(const char *sql, const Params &params = {});
    // Several statements without parameters (schema).
    bool script(const char *sql);
    // An INSERT; returns the new row id, or 0 on failure.
    qint64 insert(const char *sql, const Params &params);
    // An UPDATE or DELETE; returns the number of changed rows, or -1.
    int update(const char *sql, const Params &params);
    QString lastError() const { return m_lastError; }

    // Holds the lock and an immediate transaction until commit() or scope end
    // (which rolls back).
    class Transaction
    {
    public:
        explicit Transaction(Database &db);
        ~Transaction();
        bool commit();

    private:
        Database &m_db;
        std::unique_lock<std::recursive_mutex> m_lock;
        bool m_done = false;
    };

private:
    sqlite3 *m_db = nullptr;
    std::recursive_mutex m_mutex;
    QString m_lastError;
};
