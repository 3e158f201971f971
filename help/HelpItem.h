#pragma once

#include <QString>
#include <QStringList>

// One help article; files are paths below the document storage.
struct HelpItem
{
    QString title;
    QString content;
    QStringList files;
};
