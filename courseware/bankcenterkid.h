#pragma once

#include <QFile>
#include <QNetworkAccessManager>
#include <QPixmap>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include "miciroInfo.h"

namespace Ui {
class bankcenterkid;
}
#include <QNetworkReply>

// One courseware record of the my-courseware list: slide previews that
// cross-fade while the pointer is over the tile, title and textbook lines,
// price and publisher, and edit, share and delete.
class bankcenterkid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal ImageOpacity READ imageOpacity WRITE setImageOpacity)

public:
    explicit bankcenterkid(QWidget *parent = nullptr);
    ~bankcenterkid() override;

    void setData(const miciroInfo &info);
    const miciroInfo &record() const { return m_record; }

    // The title as the tile shows it: at most 30 characters and "...".
    static QString shortName(const QString &name);
    // The non-empty addresses among the first five slide pictures.
    static QStringList previewAddresses(const QStringList &pptFiles);
    // Where the deck of a record is written before it opens in the editor.
    static QString editPath(const miciroInfo &info);

    void setSelectorShown(bool shown);
    void setSelectorChecked(bool checked);
    void setSelectorEnabled(bool enabled);
    bool selectorChecked() const;

    // Slide pictures that have arrived, and whether the slide show runs.
    int previewsLoaded() const;
    bool slideShowRunning() const { return m_slideTimer.isActive(); }
    bool editInProgress() const { return m_editReply != nullptr; }

    qreal imageOpacity() const { return m_imageOpacity; }
    void setImageOpacity(qreal value);

    static const int SlideMs = 1200;
    static const int FadeMs = 1000;

signals:
    void select_item(bool isselect, miciroInfo info);
    // The deck was written to path and handed to the document control.
    void deckOpened(QString path);

public slots:
    void on_pushButton_Edit_clicked();
    void on_pushButtonSelector_clicked(bool checked);
    void on_pushButton_share_clicked(bool checked);
    void on_pushButton_delete_clicked();
    void shootMessage();
    void shootCancelShare();
    void shootCancelShareClose();
    void shootCancelInfo(QString xd, QString name);
    void replyFinished(QNetworkReply *reply);
    void onImageChangeTimeout();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRecord();
    void loadPreview(int index);
    void paintPreview(QWidget *area);
    int nextLoaded(int from) const;
    void setShared(bool shared);

    Ui::bankcenterkid *ui;
    miciroInfo m_record;
    QNetworkAccessManager m_previewManager;
    QNetworkAccessManager m_deckManager;
    int m_generation = 0;
    QStringList m_previewAddresses;
    QVector<QPixmap> m_previews;
    QVector<bool> m_requested;
    int m_index = 0;
    QPixmap m_current;
    QPixmap m_next;
    qreal m_imageOpacity = 1.0;
    QPropertyAnimation m_fade;
    QTimer m_slideTimer;
    QPointer<QNetworkReply> m_editReply;
    QFile m_editFile;
};
