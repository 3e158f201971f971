#include "OfficeState.h"

#include <QJsonDocument>
#include <QJsonObject>

void OfficeState::feed(const QByteArray &payload)
{
    QByteArray command;
    QString value;
    if (payload.startsWith('{')) {
        const QJsonObject object = QJsonDocument::fromJson(payload).object();
        command = object.value(QStringLiteral("commandName")).toString().toUtf8();
        const QJsonValue state = object.value(QStringLiteral("state"));
        value = state.isString() ? state.toString() : QString::fromUtf8(QJsonDocument(QJsonObject{{"v", state}}).toJson(QJsonDocument::Compact));
    } else {
        const int eq = payload.indexOf('=');
        if (eq <= 0)
            return;
        command = payload.left(eq);
        value = QString::fromUtf8(payload.mid(eq + 1));
    }
    if (!command.startsWith(".uno:"))
        return;
    const auto it = m_values.constFind(command);
    if (it != m_values.constEnd() && *it == value)
        return;
    m_values.insert(command, value);
    emit changed(command, value);
}

void OfficeState::clear()
{
    const QList<QByteArray> commands = m_values.keys();
    m_values.clear();
    for (const QByteArray &command : commands)
        emit changed(command, QString());
}
