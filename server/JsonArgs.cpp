#include "JsonArgs.h"

#include <QJsonValue>

JsonArgs::JsonArgs(const QJsonObject &body, const QHash<QString, QString> &query)
    : m_body(body)
    , m_query(query)
{
}

void JsonArgs::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

QString JsonArgs::text(const QString &key, bool required)
{
    const QJsonValue v = m_body.value(key);
    if (v.isUndefined() || v.isNull()) {
        if (required)
            fail(QStringLiteral("缺少参数：%1").arg(key));
        return QString();
    }
    if (v.isString()) {
        const QString s = v.toString();
        if (required && s.trimmed().isEmpty())
            fail(QStringLiteral("参数不能为空：%1").arg(key));
        return s;
    }
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == qint64(d))
            return QString::number(qint64(d));
        return QString::number(d);
    }
    fail(QStringLiteral("参数类型错误：%1").arg(key));
    return QString();
}

qint64 JsonArgs::integer(const QString &key, qint64 fallback, bool required)
{
    QJsonValue v = m_body.value(key);
    if ((v.isUndefined() || v.isNull()) && m_query.contains(key))
        v = m_query.value(key);
    if (v.isUndefined() || v.isNull() || (v.isString() && v.toString().trimmed().isEmpty())) {
        if (required)
            fail(QStringLiteral("缺少参数：%1").arg(key));
        return fallback;
    }
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d != qint64(d) || d > 1e15 || d < -1e15) {
            fail(QStringLiteral("参数格式错误：%1").arg(key));
            return fallback;
        }
        return qint64(d);
    }
    if (v.isString()) {
        bool ok = false;
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        if (!ok) {
            fail(QStringLiteral("参数格式错误：%1").arg(key));
            return fallback;
        }
        return n;
    }
    fail(QStringLiteral("参数类型错误：%1").arg(key));
    return fallback;
}

QString JsonArgs::keyword(const QString &key)
{
    const QString value = text(key).trimmed();
    if (value.size() > MaxKeyword) {
        fail(QStringLiteral("搜索关键字过长"));
        return {};
    }
    return value;
}

QString JsonArgs::queryText(const QString &key)
{
    if (m_query.contains(key))
        return m_query.value(key);
    return text(key);
}

JsonArgs::Page JsonArgs::page(int defaultSize)
{
    Page p;
    const qint64 num = integer(QStringLiteral("pageNum"), 1);
    const qint64 size = integer(QStringLiteral("pageSize"), defaultSize);
    if (num < 0 || size < 0 || num > 1000000) {
        fail(QStringLiteral("分页参数错误"));
        return p;
    }
    p.num = num == 0 ? 1 : int(num);
    p.size = size == 0 ? defaultSize : int(qMin<qint64>(size, MaxPageSize));
    return p;
}
