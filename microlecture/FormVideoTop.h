#pragma once

#include <QWidget>

namespace Ui {
class FormVideoTop;
}

// The toolbar above the video editing page: open a local video, export,
// preview and upload. Upload is possible only once the page saved a cut.
class FormVideoTop : public QWidget
{
    Q_OBJECT

public:
    explicit FormVideoTop(QWidget *parent = nullptr);
    ~FormVideoTop() override;

    // Where the open dialog starts.
    static QString startDirectory();

signals:
    void getVideoPath(QString path);
    void getVideoPreview();
    void outputMicroClass();
    void outputUpload();

public slots:
    void getUpload();

private slots:
    void on_pushButton7_2_clicked();
    void on_pushButton2_clicked();
    void on_pushButton6_clicked();
    void on_pushButton7_clicked();

private:
    Ui::FormVideoTop *ui;
};
