#pragma once

#include "DictItem.h"

#include <QList>
#include <QString>

class QComboBox;

// The dictionary lookups behind the grade, version and subject selectors.
class DictionaryLookup
{
public:
    // Blocking request for one dictionary ("sys_office_grade",
    // "CODE_VERSIONTYPE", "sys_subject_type"); empty on failure.
    static QList<DictItem> fetch(const QString &type);
    // Replaces the selector's items: the placeholder and the labels, or
    // nothing at all when there are no entries.
    static void fill(QComboBox *combo, const QString &placeholder, const QList<DictItem> &entries);
};
