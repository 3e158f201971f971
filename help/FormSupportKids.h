#pragma once

#include "HelpItem.h"

#include <QWidget>

namespace Ui {
class FormSupportKids;
}

// One help article: title, a text that folds at 70 characters, pictures,
// and a play mark for each help video.
class FormSupportKids : public QWidget
{
    Q_OBJECT

public:
    explicit FormSupportKids(QWidget *parent = nullptr);
    ~FormSupportKids() override;

    void setItem(const HelpItem &item);
    QString shownText() const;
    bool canExpand() const;
    int pictureCount() const;
    QStringList videos() const { return m_videos; }

signals:
    // A help video was asked for (full address).
    void shootVideo(QString address);

public slots:
    void on_pushButton_clicked(bool checked);

private:
    static QString folded(const QString &text);

    Ui::FormSupportKids *ui;
    HelpItem m_item;
    QStringList m_videos;
};
