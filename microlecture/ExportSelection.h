#pragma once

#include <QList>
#include <QObject>

#include "miciroInfo.h"

class FormBottomLabel;
class QBoxLayout;

// The records chosen for export across pages, in the order chosen, with one
// chip for each in the selection bar. Capped by the daily export allowance.
class ExportSelection : public QObject
{
    Q_OBJECT

public:
    // Chips go into chipRow (before its trailing stretch, if any).
    explicit ExportSelection(QBoxLayout *chipRow, QObject *parent = nullptr);

    // Appends the record and its chip; false when the selection is full or
    // already holds the record.
    bool add(const miciroInfo &info);
    // Takes out the first record with this id and its chip.
    bool remove(const QString &id);
    bool contains(const QString &id) const;
    // The selection holds as many records as may be exported per day.
    bool isFull() const;
    bool isEmpty() const { return m_records.isEmpty(); }
    const QList<miciroInfo> &records() const { return m_records; }
    QList<FormBottomLabel *> chips() const { return m_chips; }

signals:
    // A chip's close mark was clicked.
    void chipClosed(QString id);

private:
    QBoxLayout *m_row;
    QList<miciroInfo> m_records;
    QList<FormBottomLabel *> m_chips;
};
