#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>

// Reads request keys with the leniency the client needs (numbers sent as
// strings and the other way round) and collects the first complaint.
class JsonArgs
{
public:
    explicit JsonArgs(const QJsonObject &body, const QHash<QString, QString> &query = {});

    // A string key; a JSON number is taken as its decimal text. Objects,
    // arrays and booleans are refused.
    QString text(const QString &key, bool required = false);
    // A whole number given as a JSON number or as digits in a string.
    qint64 integer(const QString &key, qint64 fallback, bool required = false);
    // A search keyword, trimmed; longer than MaxKeyword characters is refused
    // ("搜索关键字过长") before it reaches a LIKE pattern.
    QString keyword(const QString &key);
    static constexpr int MaxKeyword = 1000;
    // A key of the URL query (or, when absent there, of the body).
    QString queryText(const QString &key);

    struct Page
    {
        int num = 1;
        int size = 10;
        int offset() const { return (num - 1) * size; }
    };
    // "pageNum" and "pageSize" from the body or the query. Page 0 counts as
    // page 1; sizes are capped at MaxPageSize.
    Page page(int defaultSize = 10);
    static constexpr int MaxPageSize = 100;

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    void fail(const QString &message);

private:
    QJsonObject m_body;
    QHash<QString, QString> m_query;
    QString m_error;
};
