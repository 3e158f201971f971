#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the toolkit's modal message boxes while a test runs, keeping their
// titles and texts ("title|text") for the test to check.
class BoxWatcher : public QObject
{
    Q_OBJECT

public:
    explicit BoxWatcher(QObject *parent = nullptr);
    QStringList seen;

private:
    QTimer m_timer;
};
