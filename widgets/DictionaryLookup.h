#pragma once

#include "DictItem.h"

#include <QList>
#include <QString>
#include <functional>

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

    struct Selector
    {
        QComboBox *combo;
        QList<DictItem> *entries;
    };
    // Fetches and fills the grade, version and subject selectors in that
    // order, enabling each once filled. Each request waits in a nested loop:
    // stops, returning false, as soon as stillWanted() says the load was
    // replaced or its owner went away.
    static bool fillSelectors(Selector grade, Selector version, Selector subject,
                              const std::function<bool()> &stillWanted);
};
