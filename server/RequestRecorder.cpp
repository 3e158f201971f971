#include "RequestRecorder.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <httplib.h>

bool RequestRecorder::open(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    return true;
}

void RequestRecorder::record(const httplib::Request &req, const QString &body, const QJsonArray &parts)
{
    if (!m_file.isOpen())
        return;
    QJsonObject query;
    for (const auto &p : req.params)
        query.insert(QString::fromStdString(p.first), QString::fromStdString(p.second));
    QJsonObject headers;
    for (const auto &h : req.headers) {
        // Header names are case-insensitive; keep them lower-case. The HTTP
        // library adds the socket addresses as headers of its own.
        const QString name = QString::fromStdString(h.first).toLower();
        if (name == QLatin1String("remote_addr") || name == QLatin1String("remote_port")
            || name == QLatin1String("local_addr") || name == QLatin1String("local_port"))
            continue;
        headers.insert(name, QString::fromStdString(h.second));
    }
    QJsonObject line;
    line.insert(QStringLiteral("method"), QString::fromStdString(req.method));
    line.insert(QStringLiteral("path"), QString::fromStdString(req.path));
    line.insert(QStringLiteral("query"), query);
    line.insert(QStringLiteral("headers"), headers);
    line.insert(QStringLiteral("body"), body);
    if (!parts.isEmpty())
        line.insert(QStringLiteral("parts"), parts);
    line.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    const QByteArray bytes = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    std::lock_guard<std::mutex> lock(m_mutex);
    m_file.write(bytes);
    m_file.flush();
}
