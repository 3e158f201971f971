#include "Database.h"

#include <QDebug>
#include <sqlite3.h>

Database::~Database()
{
    close();
}

bool Database::open(const QString &path, QString *error)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    close();
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    if (!script("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;")) {
        if (error)
            *error = m_lastError;
        close();
        return false;
    }
    return true;
}

void Database::close()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

namespace {
bool bindAll(sqlite3_stmt *stmt, const Database::Params &params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        int rc;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (v.userType()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                break;
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, text.constData(), text.size(), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}
}

QVector<Database::Row> Database::query(const char *sql, const Params &params, bool *ok)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    QVector<Row> rows;
    if (ok)
        *ok = false;
    if (!m_db) {
        m_lastError = QStringLiteral("database not open");
        return rows;
    }
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(m_db));
        qWarning() << "SQL prepare failed:" << m_lastError << sql;
        return rows;
    }
    if (!bindAll(stmt, params)) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(stmt);
        return rows;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const int n = sqlite3_column_count(stmt);
        Row row;
        row.reserve(n);
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER: row.append(qlonglong(sqlite3_column_int64(stmt, c))); break;
            case SQLITE_FLOAT: row.append(sqlite3_column_double(stmt, c)); break;
            case SQLITE_NULL: row.append(QVariant()); break;
            default:
                row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                             sqlite3_column_bytes(stmt, c)));
            }
        }
        rows.append(row);
    }
    const bool success = rc == SQLITE_DONE;
    if (!success) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(m_db));
        qWarning() << "SQL step failed:" << m_lastError << sql;
        rows.clear();
    }
    sqlite3_finalize(stmt);
    if (ok)
        *ok = success;
    return rows;
}

QVariant Database::value(const char *sql, const Params &params)
{
    const QVector<Row> rows = query(sql, params);
    if (rows.isEmpty() || rows.first().isEmpty())
        return QVariant();
    return rows.first().first();
}

bool Database::exec(const char *sql, const Params &params)
{
    bool ok = false;
    query(sql, params, &ok);
    return ok;
}

bool Database::script(const char *sql)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    char *message = nullptr;
    if (!m_db || sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        m_lastError = message ? QString::fromUtf8(message) : QStringLiteral("database not open");
        sqlite3_free(message);
        qWarning() << "SQL script failed:" << m_lastError;
        return false;
    }
    return true;
}

qint64 Database::insert(const char *sql, const Params &params)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!exec(sql, params))
        return 0;
    return sqlite3_last_insert_rowid(m_db);
}

int Database::update(const char *sql, const Params &params)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!exec(sql, params))
        return -1;
    return sqlite3_changes(m_db);
}

Database::Transaction::Transaction(Database &db)
    : m_db(db)
    , m_lock(db.m_mutex)
{
    m_db.script("BEGIN IMMEDIATE");
}

Database::Transaction::~Transaction()
{
    if (!m_done)
        m_db.script("ROLLBACK");
}

bool Database::Transaction::commit()
{
    m_done = true;
    if (m_db.script("COMMIT"))
        return true;
    m_db.script("ROLLBACK");
    return false;
}
