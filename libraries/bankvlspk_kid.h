#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "LibraryItem.h"

namespace Ui {
class bankvlspk_kid;
}

// One video of the video library: a thumbnail made by the encoder, the title
// and two buttons. Videos are only browsed here: "插入" and "预览" do nothing.
class bankvlspk_kid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TitleLength = 20;

    explicit bankvlspk_kid(QWidget *parent = nullptr);
    ~bankvlspk_kid() override;

    // Shows a record and enables the tile; the picture stays until a
    // thumbnail arrives.
    void setRecord(const LibraryItem &item);
    // The empty tile: the placeholder picture, "空", disabled.
    void clear();
    // Paints the picture area with a thumbnail.
    void setPicture(const QPixmap &picture);

    // The title as the tile shows it: the first twenty characters and "..."
    // when it has more.
    static QString shortTitle(const QString &title);

    const LibraryItem &record() const { return m_item; }
    QString id() const { return m_item.id; }
    QString titleText() const;
    QPixmap picture() const { return m_picture; }
    // The thumbnail file this tile showed last.
    QString thumbnailPath() const { return m_thumbnailPath; }
    void setThumbnailPath(const QString &path) { m_thumbnailPath = path; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintPicture();

    Ui::bankvlspk_kid *ui;
    LibraryItem m_item;
    QPixmap m_picture;
    QString m_thumbnailPath;
};
