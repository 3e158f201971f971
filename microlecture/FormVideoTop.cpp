#include "FormVideoTop.h"
#include "ui_FormVideoTop.h"

#include "FormVideoCenter.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>

FormVideoTop::FormVideoTop(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FormVideoTop)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    // Undo and redo have nothing to act on yet.
    ui->pushButton3->hide();
    ui->pushButton4->hide();
}

FormVideoTop::~FormVideoTop()
{
    delete ui;
}

QString FormVideoTop::startDirectory()
{
#ifdef Q_OS_WIN
    if (QDir(QStringLiteral("D:/")).exists())
        return QStringLiteral("D:/");
#endif
    const QString movies = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!movies.isEmpty() && QDir(movies).exists())
        return movies;
    return QDir::homePath();
}

void FormVideoTop::on_pushButton7_2_clicked()
{
    ui->pushButton7->setEnabled(false);
    QPointer<FormVideoTop> self(this);
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开文件"), startDirectory(),
                                                      QStringLiteral("video files(*.mp4);;All files(*.*)"));
    if (!self)
        return; // the editor went while the dialog was open
    if (!path.isEmpty())
        emit getVideoPath(path);
    savedVideoPath = path;
}

void FormVideoTop::getUpload()
{
    ui->pushButton7->setEnabled(true);
}

void FormVideoTop::on_pushButton2_clicked()
{
    emit outputMicroClass();
}

void FormVideoTop::on_pushButton6_clicked()
{
    emit getVideoPreview();
}

void FormVideoTop::on_pushButton7_clicked()
{
    emit outputUpload();
}
