#include "bankVLSpk.h"
#include "ui_bankVLSpk.h"

#include "bankvlspk_kid.h"
#include "myCurrentThread.h"

#include <QFile>
#include <QImage>

bankVLSpk::bankVLSpk(QWidget *parent)
    : SearchableLibrary(QStringLiteral("4"), QStringLiteral("#323232"), parent)
    , ui(new Ui::bankVLSpk)
{
    ui->setupUi(this);
    attach(ui->gridLayoutBtn, ui->lineEdit, ui->widget_page);
    for (int i = 0; i < TileCount; ++i) {
        auto *tile = new bankvlspk_kid(ui->scrollAreaWidgetContents);
        tile->setObjectName(QStringLiteral("bankvlspk_kid_%1").arg(i));
        ui->verticalLayout_kids->addWidget(tile, 0, Qt::AlignHCenter);
        tile->hide();
        m_tiles.append(tile);
    }
    ui->verticalLayout_kids->addStretch(1);
}

bankVLSpk::~bankVLSpk()
{
    delete ui;
}

void bankVLSpk::showRecords(const QList<LibraryItem> &records)
{
    m_workers.clear();
    int i = 0;
    for (; i < records.size() && i < m_tiles.size(); ++i) {
        m_tiles.at(i)->setRecord(records.at(i));
        m_tiles.at(i)->show();
        // Workers run on their own, whatever later page loads do.
        m_workers.append(myCurrentThread::start(records.at(i), this));
    }
    for (; i < m_tiles.size(); ++i) {
        m_tiles.at(i)->clear();
        m_tiles.at(i)->hide();
    }
}

void bankVLSpk::upDatePhoto(QString id)
{
    const QString path = myCurrentThread::pictureFor(id);
    if (id.isEmpty() || !QFile::exists(path))
        return;
    bool matched = false;
    // Read past the pixmap cache: a new picture at the same path within the
    // same second would otherwise come back as the old one.
    const QPixmap picture = QPixmap::fromImage(QImage(path));
    for (bankvlspk_kid *tile : qAsConst(m_tiles)) {
        if (tile->id() != id)
            continue;
        matched = true;
        // A picture that does not decode leaves the tile as it was.
        if (!picture.isNull()) {
            tile->setPicture(picture);
            tile->setThumbnailPath(path);
        }
    }
    // A report for a video no longer listed leaves its picture in the cache.
    if (matched)
        QFile::remove(path);
}
