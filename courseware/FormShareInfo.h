#pragma once

#include <QWidget>

#include "miciroInfo.h"

namespace Ui {
class FormShareInfo;
}

// The dialog in which the teacher shares one of their own resources with a
// title and a price in beans. It shows the record's curriculum data read
// only; on success it reports price and title and closes.
class FormShareInfo : public QWidget
{
    Q_OBJECT

public:
    explicit FormShareInfo(QWidget *parent = nullptr);
    ~FormShareInfo() override;

    // kind 2: courseware, 3: micro-lecture.
    void setData(const miciroInfo &info, int kind);
    // Courseware is shared through its own path.
    void useCoursewareShareUrl();

    // Knowledge points as the dialog shows them: at most 8 characters and "...".
    static QString shortKnowledge(const QString &text);

    QString shareUrl;
    miciroInfo record;
    int kind = 3;

signals:
    void shootCancel();
    // First the price, then the title.
    void shootOkXD(QString xd, QString name);

public slots:
    void on_pushButton_public_clicked();
    void on_pushButtonX_clicked();
    void on_pushButton_pbulic_clicked(bool checked);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::FormShareInfo *ui;
};
