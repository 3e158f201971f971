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

bool DictionaryLookup::fillSelectors(Selector grade, Selector version, Selector subject,
                                     const std::function<bool()> &stillWanted)
{
    const struct
    {
        const char *type;
        Selector selector;
        QString placeholder;
    } lookups[] = {
        {"sys_office_grade", grade, QStringLiteral("年级")},
        {"CODE_VERSIONTYPE", version, QStringLiteral("版本")},
        {"sys_subject_type", subject, QStringLiteral("科目")},
    };
    for (const auto &l : lookups) {
        if (!stillWanted())
            return false;
        const QList<DictItem> entries = fetch(QString::fromLatin1(l.type));
        if (!stillWanted())
            return false;
        *l.selector.entries = entries;
        fill(l.selector.combo, l.placeholder, entries);
        l.selector.combo->setEnabled(true);
    }
    return true;
}
