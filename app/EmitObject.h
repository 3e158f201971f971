#pragma once

#include <QObject>

// Process-wide signal hub for page-independent events
// (code 101: a deck was opened from the local path in str).
class EmitObject : public QObject
{
    Q_OBJECT

public:
    static EmitObject *instance();

signals:
    void shootCode(int code, QString str);

private:
    EmitObject() = default;
};
