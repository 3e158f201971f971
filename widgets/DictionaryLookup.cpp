#include "DictionaryLookup.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "Http_access.h"

#include <QComboBox>
#include <QUrlQuery>

QList<DictItem> DictionaryLookup::fetch(const QString &type)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("type"), type);
    QList<DictItem> entries;
    Http_access::instance()->fetchDictItems(BaseAddress::api() + ApiPaths::dictList, query, QJsonObject(), entries);
    return entries;
}

void DictionaryLookup::fill(QComboBox *combo, const QString &placeholder, const QList<DictItem> &entries)
{
    combo->clear();
    if (entries.isEmpty())
        return;
    combo->addItem(placeholder);
    for (const DictItem &e : entries)
        combo->addItem(e.label);
}
