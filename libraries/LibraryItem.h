#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

// One record of a resource library (picture, template deck, video) or one of
// its categories (only id and resDescribe then).
struct LibraryItem
{
    QString id;
    QString resFile;     // path below the document storage base address
    QString resDescribe; // the name shown to the user
    QString title;
    QStringList pptFiles;
    int total = 0; // records of the whole query, the same in every record of a reply
};
Q_DECLARE_METATYPE(LibraryItem)
