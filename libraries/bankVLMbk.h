#pragma once

#include <QList>

#include "SearchableLibrary.h"

namespace Ui {
class bankVLMbk;
}
class bankvlmbk_kid;

// The template library ("模板库"), the panel of class mode beside the deck:
// the platform's templates by category, ten a page, two tiles a row.
class bankVLMbk : public SearchableLibrary
{
    Q_OBJECT

public:
    explicit bankVLMbk(QWidget *parent = nullptr);
    ~bankVLMbk() override;

    const QList<bankvlmbk_kid *> &tiles() const { return m_tiles; }
    // The last page found nothing (or failed): the panel shows the
    // empty-result picture.
    bool emptyResult() const { return m_empty; }

protected:
    void showRecords(const QList<LibraryItem> &records) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::bankVLMbk *ui;
    QList<bankvlmbk_kid *> m_tiles;
    bool m_empty = false;
};
