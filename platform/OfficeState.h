#pragma once

#include <QHash>
#include <QObject>
#include <QString>

// What the office says about the caret or selection: bold on, the family,
// the size, the alignment, which commands are disabled. Fed with the
// office's state notifications (".uno:Bold=true", or a JSON object with
// "commandName" and "state").
class OfficeState : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void feed(const QByteArray &payload);
    void clear();

    // The last value reported for a command (".uno:CharFontName"), empty
    // when none was.
    QString value(const QByteArray &command) const { return m_values.value(command); }
    bool isChecked(const QByteArray &command) const { return value(command) == QLatin1String("true"); }
    // A command the office never reported on counts as enabled.
    bool isEnabled(const QByteArray &command) const { return value(command) != QLatin1String("disabled"); }

signals:
    void changed(const QByteArray &command, const QString &value);

private:
    QHash<QByteArray, QString> m_values;
};
