#pragma once

#include <QList>
#include <QString>

// One lookup entry: dictionary entries (grade, subject, textbook version)
// and textbook volumes.
struct DictItem
{
    QString id;
    QString value;
    QString label;

    // The last entry whose label is the text (a selector's current text);
    // null when none is, and always for an empty text.
    static const DictItem *lastWithLabel(const QList<DictItem> &entries, const QString &text)
    {
        const DictItem *found = nullptr;
        if (text.isEmpty())
            return found;
        for (const DictItem &e : entries)
            if (e.label == text)
                found = &e;
        return found;
    }
};
