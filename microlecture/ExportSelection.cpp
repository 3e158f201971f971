#include "ExportSelection.h"

#include "FormBottomLabel.h"
#include "HttpClassInput.h"

#include <QBoxLayout>

ExportSelection::ExportSelection(QBoxLayout *chipRow, QObject *parent)
    : QObject(parent), m_row(chipRow)
{
}

bool ExportSelection::isFull() const
{
    return m_records.size() >= dailyExportLimit;
}

bool ExportSelection::contains(const QString &id) const
{
    for (const miciroInfo &r : m_records)
        if (r.id == id)
            return true;
    return false;
}

bool ExportSelection::add(const miciroInfo &info)
{
    if (isFull() || info.id.isEmpty() || contains(info.id))
        return false;
    auto *chip = new FormBottomLabel;
    chip->setChipId(info.id);
    chip->setChipText(info.name);
    connect(chip, &FormBottomLabel::btnX_clickedID, this, &ExportSelection::chipClosed);
    m_records.append(info);
    m_chips.append(chip);
    // Keep a trailing stretch at the end of the row.
    int at = m_row->count();
    if (at > 0 && m_row->itemAt(at - 1)->spacerItem())
        --at;
    m_row->insertWidget(at, chip);
    return true;
}

bool ExportSelection::remove(const QString &id)
{
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records.at(i).id != id)
            continue;
        m_records.removeAt(i);
        for (int c = 0; c < m_chips.size(); ++c) {
            FormBottomLabel *chip = m_chips.at(c);
            if (chip->chipId() != id)
                continue;
            m_chips.removeAt(c);
            chip->hide();
            m_row->removeWidget(chip);
            // The chip may be the sender of the click being handled.
            chip->deleteLater();
            break;
        }
        return true;
    }
    return false;
}
