#include "bankvlmbk_kid.h"
#include "ui_bankvlmbk_kid.h"

#include "BaseAddress.h"
#include "DocumentHost.h"
#include "Http_access.h"
#include "LocalFileName.h"
#include "ReplyWaiter.h"
#include "Widgetmain.h"
#include "bankvlmbk_kidBrower.h"
#include "bankvlmbk_kid_loadImag.h"

#include <QDebug>
#include <QDir>
#include <QEasingCurve>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSaveFile>

namespace {
const char *const OpacityProperty = "ImageOpacity";

const QStringList &deckSuffixes()
{
    static const QStringList s{QStringLiteral("pptx"), QStringLiteral("ppt"),  QStringLiteral("pps"),
                               QStringLiteral("ppsx"), QStringLiteral("pot"),  QStringLiteral("potx"),
                               QStringLiteral("pptm"), QStringLiteral("odp")};
    return s;
}

// A slide-shaped grey card with the deck icon: what a tile shows before its
// cover arrives.
QPixmap emptyPicture()
{
    QPixmap map(160, 90);
    map.fill(QColor(228, 228, 228));
    QPainter p(&map);
    p.setRenderHint(QPainter::Antialiasing);
    const QPixmap icon(QStringLiteral(":/png5/kejianluru/pptName.png"));
    if (!icon.isNull())
        p.drawPixmap(QRect(80 - 16, 45 - 16, 32, 32), icon);
    return map;
}
}

bankvlmbk_kid::bankvlmbk_kid(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::bankvlmbk_kid)
{
    ui->setupUi(this);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    m_empty = emptyPicture();
    ui->widget_picture->installEventFilter(this);

    setProperty(OpacityProperty, 1.0);
    m_fade = new QPropertyAnimation(this, OpacityProperty, this);
    m_fade->setDuration(FadeMs);
    m_fade->setEasingCurve(QEasingCurve::OutQuint);
    m_fade->setStartValue(1.0);
    m_fade->setEndValue(0.0);
    connect(m_fade, &QPropertyAnimation::valueChanged, this, [this] { update(); });

    connect(&m_slideTimer, &QTimer::timeout, this, &bankvlmbk_kid::onImageChangeTimeout);

    m_manager = new QNetworkAccessManager(this);
    connect(m_manager, &QNetworkAccessManager::finished, this, &bankvlmbk_kid::replyFinished);
}

bankvlmbk_kid::~bankvlmbk_kid()
{
    // Requests still in flight end with their managers below; nothing of
    // theirs may reach this half-destroyed tile.
    disconnect(m_manager, nullptr, this, nullptr);
    dropLoaders();
    if (m_file) {
        m_file->cancelWriting();
        delete m_file;
        m_file = nullptr;
    }
    delete ui;
}

QString bankvlmbk_kid::shortTitle(const QString &title)
{
    if (title.size() <= TitleLength)
        return title;
    return title.left(TitleLength) + QStringLiteral("...");
}

QString bankvlmbk_kid::localDeckPath(const QString &title, const QString &resFile)
{
    // The title is the server's text: it must not choose the folder, and the
    // document control opens a deck by its extension.
    const QString name = LocalFileName::safe(title, QStringLiteral("template"));
    const QString suffix = QFileInfo(name).suffix();
    QString base = name;
    QString extension;
    if (deckSuffixes().contains(suffix.toLower()) && name.size() > suffix.size() + 1) {
        base = name.left(name.size() - suffix.size() - 1);
        extension = QLatin1Char('.') + suffix;
    } else {
        extension = LocalFileName::suffixOf(resFile, deckSuffixes(), QStringLiteral("pptx"));
    }
    const QString folder = sourceDir + QStringLiteral("pptemp");
    const QString path = folder + QLatin1Char('/') + base + extension;
    // Never the toolbar's working file: that holds the teacher's saved edits.
    const QString working = DocumentHost::workingFile();
    if (QDir::cleanPath(path).compare(QDir::cleanPath(working), Qt::CaseInsensitive) == 0)
        return LocalFileName::unique(folder, base, extension, {QDir::cleanPath(working)});
    return path;
}

QUrl bankvlmbk_kid::previewAddress(const QString &resFile)
{
    // The deck's address goes whole into "src"; characters that would end
    // or split the query value are escaped, the rest stays as it is.
    const QByteArray src = QUrl::toPercentEncoding(BaseAddress::doc() + resFile, ":/");
    return QUrl(BaseAddress::web() + QStringLiteral("/op/embed.aspx?src=") + QString::fromLatin1(src),
                QUrl::TolerantMode);
}

QString bankvlmbk_kid::titleText() const
{
    return ui->widget_label->text();
}

qreal bankvlmbk_kid::imageOpacity() const
{
    return property(OpacityProperty).toReal();
}

int bankvlmbk_kid::loaderCount() const
{
    int n = 0;
    for (const auto &l : m_loaders)
        n += l ? 1 : 0;
    return n;
}

void bankvlmbk_kid::dropLoaders()
{
    for (const auto &l : qAsConst(m_loaders)) {
        if (!l)
            continue;
        disconnect(l, nullptr, this, nullptr);
        l->deleteLater(); // takes its requests in flight with it
    }
    m_loaders.clear();
}

void bankvlmbk_kid::startLoader(const QString &address)
{
    auto *loader = new bankvlmbk_kid_loadImag(this);
    connect(loader, &bankvlmbk_kid_loadImag::shootQPixmap, this, &bankvlmbk_kid::reciveQPixmap);
    m_loaders.append(loader);
    loader->load(address);
}

void bankvlmbk_kid::setRecord(const LibraryItem &item)
{
    dropLoaders();
    m_pictures.clear();
    m_current = QPixmap();
    m_next = QPixmap();
    m_index = 0;
    m_restRequested = false;
    m_slideTimer.stop();
    m_fade->stop();
    setProperty(OpacityProperty, 1.0);

    m_item = item;
    ui->widget_label->setText(shortTitle(item.title));
    ui->widget_label->setToolTip(item.title);
    if (!item.pptFiles.isEmpty())
        startLoader(item.pptFiles.first());
    update();
}

void bankvlmbk_kid::reciveQPixmap(QPixmap map)
{
    m_pictures.append(map);
    m_current = m_pictures.first();
    if (m_next.isNull())
        m_next = m_current;
    update();
}

void bankvlmbk_kid::advance()
{
    m_current = m_pictures.at(m_index);
    m_index = (m_index + 1) % m_pictures.size();
    m_next = m_pictures.at(m_index);
}

void bankvlmbk_kid::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    if (m_pictures.isEmpty())
        return;
    // The other slides are fetched on the first hover only.
    if (m_pictures.size() == 1 && m_item.pptFiles.size() > 1 && !m_restRequested) {
        m_restRequested = true;
        for (int i = 1; i < m_item.pptFiles.size(); ++i)
            startLoader(m_item.pptFiles.at(i));
    }
    m_index = qBound(0, m_index, m_pictures.size() - 1);
    advance();
    m_fade->stop();
    m_fade->start();
    m_slideTimer.start(SlideIntervalMs);
}

void bankvlmbk_kid::onImageChangeTimeout()
{
    if (!m_pictures.isEmpty()) {
        m_index = qBound(0, m_index, m_pictures.size() - 1);
        advance();
    }
    m_fade->stop();
    m_fade->start();
}

void bankvlmbk_kid::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_index = 0;
    m_current = m_pictures.value(0);
    m_next = m_pictures.size() > 1 ? m_pictures.at(1) : m_current;
    m_slideTimer.stop();
    m_fade->stop();
    setProperty(OpacityProperty, 1.0);
    update();
}

bool bankvlmbk_kid::eventFilter(QObject *watched, QEvent *event)
{
    // The pictures are painted into the picture area itself, over whatever
    // background a style sheet gives it.
    if (watched == ui->widget_picture && event->type() == QEvent::Paint) {
        paintPictures();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void bankvlmbk_kid::paintPictures()
{
    QPainter p(ui->widget_picture);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = ui->widget_picture->rect();
    if (m_pictures.isEmpty()) {
        p.drawPixmap(area, m_empty);
    } else if (m_pictures.size() == 1) {
        p.drawPixmap(area, m_pictures.first());
    } else {
        // The current slide fades out over the next one.
        const QPixmap current = m_current.isNull() ? m_pictures.first() : m_current;
        const QPixmap next = m_next.isNull() ? current : m_next;
        p.drawPixmap(area, next);
        p.setOpacity(qBound<qreal>(0.0, imageOpacity(), 1.0));
        p.drawPixmap(area, current);
    }
}

void bankvlmbk_kid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Slides are 16:9: the tile grows with its width within 100 to 170 px.
    const int pictureWidth = width() - 10;
    setFixedHeight(qBound(100, pictureWidth * 9 / 16 + 10 + 28, 170));
}

void bankvlmbk_kid::on_pushButton_insert_clicked()
{
    if (m_file)
        return; // this tile's deck is already on its way
    m_localPath = localDeckPath(m_item.title, m_item.resFile);
    QDir().mkpath(QFileInfo(m_localPath).absolutePath());
    // Written aside and put in place only when the whole deck is there: a
    // failed download leaves an earlier copy alone.
    auto *file = new QSaveFile(m_localPath, this);
    if (!file->open(QIODevice::WriteOnly)) {
        const QString error = file->errorString();
        delete file;
        QMessageBox::information(this, tr("HTTP"),
                                 tr("Unable to save the file %1: %2.")
                                     .arg(QDir::toNativeSeparators(QFileInfo(m_localPath).fileName()), error));
        return;
    }
    m_file = file;
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
    if (m_manager->networkAccessible() == QNetworkAccessManager::NotAccessible)
        m_manager->setNetworkAccessible(QNetworkAccessManager::Accessible);
QT_WARNING_POP
    ReplyWaiter::watch(m_manager->get(QNetworkRequest(QUrl(BaseAddress::doc() + m_item.resFile))),
                       Http_access::timeoutMs);
}

void bankvlmbk_kid::replyFinished(QNetworkReply *re)
{
    re->deleteLater();
    QSaveFile *file = m_file;
    m_file = nullptr;
    if (!file)
        return;
    if (re->error() != QNetworkReply::NoError) {
        file->cancelWriting();
        delete file;
        QMessageBox::information(this, QStringLiteral("提示"),
                                 ReplyWaiter::timedOut(re)
                                     ? QStringLiteral("模板下载失败：") + ReplyWaiter::timeoutText()
                                     : QStringLiteral("请求失败. /n错误提示:%1,错误代码:%2")
                                           .arg(re->errorString())
                                           .arg(int(re->error())));
        return;
    }
    file->write(re->readAll());
    const bool saved = file->commit();
    const QString error = file->errorString();
    delete file;
    if (!saved) {
        QMessageBox::information(this, tr("HTTP"),
                                 tr("Unable to save the file %1: %2.")
                                     .arg(QDir::toNativeSeparators(QFileInfo(m_localPath).fileName()), error));
        return;
    }
    DocumentHost::openDownloaded(m_localPath);
}

void bankvlmbk_kid::on_pushButton_preview_clicked()
{
    bankvlmbk_kidBrower *preview = bankvlmbk_kidBrower::instance();
    preview->openAddress(previewAddress(m_item.resFile));
    preview->show();
    preview->raise();
}
