#pragma once

#include <QPixmap>
#include <QWidget>

namespace Ui {
class FormFaBuChenggong;
}

// The dialog that confirms a publication ("发布成功"), shared by courseware
// and micro-lectures.
class FormFaBuChenggong : public QWidget
{
    Q_OBJECT

public:
    explicit FormFaBuChenggong(QWidget *parent = nullptr);
    ~FormFaBuChenggong() override;

    void setPublishInfo(const QString &name, const QString &price, const QString &count, const QString &kind);
    QString text() const;

signals:
    void shootback();

public slots:
    void on_pushButton_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::FormFaBuChenggong *ui;
    QPixmap m_background;
    QString m_price;
};
