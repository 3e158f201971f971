#pragma once

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "LibraryItem.h"

namespace Ui {
class bankvlmbk_kid;
}
class bankvlmbk_kid_loadImag;
class QNetworkAccessManager;
class QNetworkReply;
class QPropertyAnimation;
class QSaveFile;

// One template of the template library: its title over its slide pictures,
// which cross-fade as a slide show while the mouse is over the tile, and the
// two actions apply (download the deck and open it) and preview (the online
// viewer in the preview window).
class bankvlmbk_kid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TitleLength = 8;
    static constexpr int SlideIntervalMs = 1200;
    static constexpr int FadeMs = 1000;

    explicit bankvlmbk_kid(QWidget *parent = nullptr);
    ~bankvlmbk_kid() override;

    // Shows a record: the title at once, the cover when it arrives. Pictures
    // still on their way for the previous record are dropped.
    void setRecord(const LibraryItem &item);
    const LibraryItem &record() const { return m_item; }

    // The title as the tile shows it: the first eight characters and "..."
    // when it is longer.
    static QString shortTitle(const QString &title);
    // Where a template deck is saved: the cache's "pptemp/" folder, named after
    // the title made safe, with the deck's extension when the title has none.
    static QString localDeckPath(const QString &title, const QString &resFile);
    // The online viewer's page showing the deck stored at resFile.
    static QUrl previewAddress(const QString &resFile);

    QString titleText() const;
    const QList<QPixmap> &pictures() const { return m_pictures; }
    int pictureIndex() const { return m_index; }
    QPixmap currentPicture() const { return m_current; }
    QPixmap nextPicture() const { return m_next; }
    qreal imageOpacity() const;
    bool slideShowRunning() const { return m_slideTimer.isActive(); }
    // Picture loaders of the current record that are still alive.
    int loaderCount() const;
    bool downloading() const { return m_file != nullptr; }
    QString localPath() const { return m_localPath; }

public slots:
    void on_pushButton_insert_clicked();
    void on_pushButton_preview_clicked();
    void replyFinished(QNetworkReply *re);
    void onImageChangeTimeout();
    void reciveQPixmap(QPixmap map);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startLoader(const QString &address);
    void dropLoaders();
    void advance();
    void paintPictures();

    Ui::bankvlmbk_kid *ui;
    LibraryItem m_item;
    QList<QPixmap> m_pictures;
    int m_index = 0;
    QPixmap m_current;
    QPixmap m_next;
    QPixmap m_empty;
    QList<QPointer<bankvlmbk_kid_loadImag>> m_loaders;
    bool m_restRequested = false;
    QPropertyAnimation *m_fade = nullptr;
    QTimer m_slideTimer;
    QNetworkAccessManager *m_manager = nullptr;
    QSaveFile *m_file = nullptr;
    QString m_localPath;
};
