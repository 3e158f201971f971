#pragma once

#include <QStringList>
#include <QWidget>

namespace Ui {
class FormUpClassMessage;
}

// The confirmation before a micro-lecture is published: the curriculum
// place read-only, and the name, an introduction, free or paid and a price.
// Modal over the content area; made for one use and deleted when closed.
class FormUpClassMessage : public QWidget
{
    Q_OBJECT

public:
    explicit FormUpClassMessage(QWidget *parent = nullptr);
    ~FormUpClassMessage() override;

    // Subject, type, version, grade, volume, catalogue node, knowledge points.
    void showPublishInfo(const QStringList &info);
    // The publish that the confirmation started did not go through: the
    // dialog comes back with what the teacher typed, to try again.
    void reopen();

signals:
    // Name, introduction, price, fee flag ("1" paid, "0" free).
    void shootUpload(QStringList values);

public slots:
    void on_pushButton_public_clicked();
    void on_pushButtonX_clicked();
    void on_pushButton_private_clicked(bool checked);
    void on_pushButton_pbulic_clicked(bool checked);

public:
    // No-ops: free and paid are chosen with the two push buttons.
    void on_radioButton_private_clicked(bool checked);
    void on_radioButton_pbulic_clicked(bool checked);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::FormUpClassMessage *ui;
    bool m_reopened = false;
};
