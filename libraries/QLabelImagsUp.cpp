#include "QLabelImagsUp.h"
#include "ui_QLabelImagsUp.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "FormAnimation.h"
#include "HttpClassInput.h"
#include "QLabelImags.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QDebug>
#include <QFileDialog>
#include <QPointer>
#include <QFileInfo>
#include <QJsonObject>
#include <QMouseEvent>

QLabelImagsUp::QLabelImagsUp(QWidget *parent)
    : QLabel(parent), ui(new Ui::QLabelImagsUp)
{
    ui->setupUi(this);
    const QPixmap picture(QStringLiteral(":/png5/kejianluru/upImgG.png"));
    setFixedSize(136, QLabelImags::scaledHeight(picture.size(), 135));
}

QLabelImagsUp::~QLabelImagsUp()
{
    delete ui;
}

void QLabelImagsUp::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // A press while an upload waits would open a second dialog.
    if (m_busy)
        return;
    m_busy = true;
    // The dialog and the upload wait in nested event loops: the tile may be
    // gone when they return.
    QPointer<QLabelImagsUp> self(this);
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open File"), QString(),
                                                      QStringLiteral("Images (*.png *.jpg)"));
    if (self && !path.isEmpty())
        uploadFile(path);
    if (self)
        m_busy = false;
}

bool QLabelImagsUp::uploadFile(const QString &localPath)
{
    const QFileInfo info(localPath);
    FormAnimation::showBusyOverlay();
    const QString stored = HttpClassInput::instance()->uploadImage(BaseAddress::api() + ApiPaths::fileUpload, localPath);
    if (stored.isEmpty()) {
        FormAnimation::hideBusyOverlay();
        qDebug() << "图片上传失败" << localPath;
        tell(QStringLiteral("图片上传失败，请检查网络重新尝试。"));
        return false;
    }
    const QJsonObject body{{QStringLiteral("fileName"), stored},
                           {QStringLiteral("fileLibType"), 2},
                           {QStringLiteral("fileRealname"), info.fileName()},
                           {QStringLiteral("fileSize"), double(info.size())},
                           {QStringLiteral("fileSuffix"), info.suffix()}};
    QPointer<QLabelImagsUp> self(this);
    const bool saved = HttpClassInput::instance()->saveFileRecord(BaseAddress::api() + ApiPaths::fileSave, {}, body);
    FormAnimation::hideBusyOverlay();
    if (!saved) {
        qDebug() << "图片保存失败" << stored;
        tell(QStringLiteral("图片保存失败，请检查网络重新尝试。"));
        return false;
    }
    tell(QStringLiteral("图片上传成功。"));
    if (self)
        emit shootUpload(stored);
    return true;
}

void QLabelImagsUp::tell(const QString &text)
{
    auto *m = new messageForm(0, nullptr);
    m->setMessage(text);
    m->show();
    m->setGeometry(contentRect);
}
