#pragma once

#include <QString>

// One lookup entry: dictionary entries (grade, subject, textbook version)
// and textbook volumes.
struct DictItem
{
    QString id;
    QString value;
    QString label;
};
