#include "bankTop.h"
#include "ui_bankTop.h"

#include "DocumentHost.h"
#include "EmitObject.h"
#include "bankupinfo.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QFileInfo>
#include <QPainter>
#include <QStyleOption>

bankTop::bankTop(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::bankTop)
{
    ui->setupUi(this);
    connect(EmitObject::instance(), &EmitObject::shootCode, this, &bankTop::shootCode);
}

bankTop::~bankTop()
{
    delete ui;
}

void bankTop::on_pushButton_open_clicked()
{
    // The dialog opens on the data drive where there is one, else at home.
    if (m_saving)
        return;
    const QString start = QDir(QStringLiteral("D:/")).exists() ? QStringLiteral("D:/") : QDir::homePath();
    QPointer<bankTop> self(this);
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开文件"), start,
                                                      QStringLiteral("video files(*.ppt *.pptx);;All files(*.*)"));
    if (!self || path.isEmpty() || m_saving)
        return;
    DocumentHost::openFromToolbar(path);
    showFileName(path);
}

void bankTop::on_pushButton1_clicked()
{
    // A save waits for the office in a nested event loop: a second click
    // meanwhile would write the same file twice.
    if (m_saving)
        return;
    m_saving = true;
    QPointer<bankTop> self(this);
    DocumentHost::saveToWorkingFile();
    if (!self)
        return;
    m_saving = false;
    ui->pushButton_FB->setEnabled(true);
}

void bankTop::on_pushButton2_clicked()
{
    if (m_saving)
        return;
    const QString proposed = QFileInfo(DocumentHost::workingFile()).fileName();
    QPointer<bankTop> self(this);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("文件另存为"), proposed,
                                                      QStringLiteral("Config Files (*.pptx)"));
    if (!self || path.isNull() || m_saving)
        return;
    m_saving = true;
    DocumentHost::exportTo(path);
    if (!self)
        return;
    m_saving = false;
    ui->pushButton_FB->setEnabled(true);
}

void bankTop::on_pushButton_FB_clicked()
{
    auto *form = new bankupinfo;
    form->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &bankupinfo::shootCancel, this, &bankTop::shootCancel);
    connect(form, &bankupinfo::shootOk, this, &bankTop::shootOk);
    form->show();
}

void bankTop::shootCode(int code, QString str)
{
    if (code == 101)
        showFileName(str);
}

void bankTop::shootOk()
{
    ui->pushButton_FB->setEnabled(false);
}

void bankTop::shootCancel()
{
}

void bankTop::mydestory()
{
}

void bankTop::showFileName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (!name.isEmpty())
        ui->labelName->setText(name);
}

void bankTop::paintEvent(QPaintEvent *)
{
    // Lets the page's style-sheet background paint on this plain subclass.
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
}
