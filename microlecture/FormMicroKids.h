#pragma once

#include <QWidget>

#include "miciroInfo.h"

namespace Ui {
class FormMicroKids;
}
class QGraphicsOpacityEffect;

// One micro-lecture of the list: thumbnail with a play button, title,
// textbook lines and price, and share or cancel share and delete.
class FormMicroKids : public QWidget
{
    Q_OBJECT

public:
    explicit FormMicroKids(QWidget *parent = nullptr);
    ~FormMicroKids() override;

    void setRecord(const miciroInfo &info);
    const miciroInfo &record() const { return m_record; }

    // The title as the tile shows it: longer than 15 characters, the first
    // 13 and "...".
    static QString shortName(const QString &name);

    void setSelectorShown(bool shown);
    void setSelectorChecked(bool checked);
    void setSelectorEnabled(bool enabled);
    bool selectorChecked() const;
    void setLimitToolTip(int limit);
    // The thumbnail arrived and replaced the default picture.
    bool hasThumbnail() const { return m_hasThumbnail; }
    qreal tileOpacity() const;

    QString thumbnailPath;

signals:
    void select_item(bool isselect, miciroInfo info);
    void delete_success();

public slots:
    void on_pushButton_btn_clicked();
    void on_pushButton_select_clicked(bool checked);
    void on_pushButton_isFee_clicked(bool checked);
    void on_pushButton_isFee_clicked();
    void on_pushButtonDelete_clicked();
    void on_pushButton_center_clicked();
    void shootMessage();
    void shootCancelShare();
    void shootCancelShareClose();
    void shootCancelInfo(QString xd, QString name);
    void updaPictureMicro(int ba);
    void clipVideoFinished(int ba);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeOverlays();
    void showPrice(const QString &price, bool shared);
    void resetPicture();

    Ui::FormMicroKids *ui;
    miciroInfo m_record;
    QGraphicsOpacityEffect *m_opacity = nullptr;
    bool m_hasThumbnail = false;
};
