#pragma once

#include <QList>
#include <QPointer>
#include <QThread>

#include "SearchableLibrary.h"

namespace Ui {
class bankVLSpk;
}
class bankvlspk_kid;

// The video library ("视频库"): the platform's teaching videos by category,
// ten a page, one tile a row. The platform has no thumbnails for them, so
// every page load starts one thumbnail worker (myCurrentThread) per video;
// each reports back through upDatePhoto.
class bankVLSpk : public SearchableLibrary
{
    Q_OBJECT

public:
    explicit bankVLSpk(QWidget *parent = nullptr);
    ~bankVLSpk() override;

    const QList<bankvlspk_kid *> &tiles() const { return m_tiles; }
    // The worker threads of the last page load (null once released).
    const QList<QPointer<QThread>> &lastWorkers() const { return m_workers; }

public slots:
    void upDatePhoto(QString id);

protected:
    void showRecords(const QList<LibraryItem> &records) override;

private:
    Ui::bankVLSpk *ui;
    QList<bankvlspk_kid *> m_tiles;
    QList<QPointer<QThread>> m_workers;
};
