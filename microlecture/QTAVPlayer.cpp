#include "QTAVPlayer.h"
#include "ui_QTAVPlayer.h"

#include "AudioOutput.h"
#include "MediaPlayer.h"
#include "VideoOutput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSlider>
#include <QTimer>

bool volumeHidden = false;
QString videoDurationText = QStringLiteral("0时0分0秒");
QTAVPlayer *popupPlayer = nullptr;

QTAVPlayer::QTAVPlayer(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::QTAVPlayer)
{
    ui->setupUi(this);
    // Frameless, and still a child widget when it has a parent.
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_StyledBackground);
    stopAtActive = false;
    durationPending = true;
    sliderUnit = 1000;

    m_player = new MediaPlayer(ui->widget_player);
    m_videoOutput = new VideoOutput(ui->widget_player);
    m_player->setRenderer(m_videoOutput);
    ui->verticalLayout_player->addWidget(m_videoOutput->widget());

    positionSlider = new QSlider(Qt::Horizontal, ui->widget_player);
    positionSlider->setObjectName(QStringLiteral("positionSlider"));
    ui->verticalLayout_player->addWidget(positionSlider);
    positionSlider->installEventFilter(this);

    updateTimer = new QTimer;
    connect(updateTimer, &QTimer::timeout, this, &QTAVPlayer::upDateSliderTimer);
    // A range ends at its end, not at the next once-a-second tick.
    connect(m_player, &MediaPlayer::positionChanged, this, [this](qint64 ms) {
        if (stopAtActive && ms >= stopAtMs) {
            m_player->pause(true);
            stopAtActive = false;
        }
    });

    // The 0-99 range takes this as its maximum.
    ui->horizontalSlider_volum->setValue(500);
}

QTAVPlayer::~QTAVPlayer()
{
    delete updateTimer;
    delete ui;
}

QTAVPlayer *QTAVPlayer::popup()
{
    if (!popupPlayer) {
        popupPlayer = new QTAVPlayer;
        popupPlayer->makeModalWindow();
        QObject::connect(popupPlayer, &QObject::destroyed, [] { popupPlayer = nullptr; });
        // Parentless: end its playback and media engine before the process does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, popupPlayer, [] { delete popupPlayer; });
    }
    return popupPlayer;
}

bool QTAVPlayer::isTicking() const
{
    return updateTimer->isActive();
}

QString QTAVPlayer::clockText(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    const QChar zero(QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, zero)
        .arg((seconds / 60) % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

bool QTAVPlayer::checkPath(const QString &path)
{
    if (!path.isEmpty())
        return true;
    QMessageBox::information(this, QStringLiteral("urlpath is null"), QStringLiteral("this is null path."),
                             QMessageBox::Ok);
    return false;
}

void QTAVPlayer::playFile(const QString &path)
{
    if (!checkPath(path))
        return;
    ui->pushButton_all->setChecked(false);
    m_player->play(path);
    updateTimer->start(1000);
}

void QTAVPlayer::showAndPlay(const QString &path)
{
    if (!checkPath(path))
        return;
    ui->pushButton_all->setChecked(false);
    showNormal();
    m_player->play(path);
    updateTimer->start(1000);
}

void QTAVPlayer::pausePlayer()
{
    ui->pushButton_play->setChecked(true);
    m_player->pause(true);
}

void QTAVPlayer::playRange(int startMs, int endMs)
{
    stopAtMs = endMs;
    stopAtActive = true;
    m_player->setPosition(startMs);
    m_player->pause(false);
}

void QTAVPlayer::seekToTime(const QTime &t)
{
    m_player->setPosition(QTime(0, 0).msecsTo(t));
}

qint64 QTAVPlayer::mediaDuration() const
{
    return m_player->duration();
}

void QTAVPlayer::stopPlayer()
{
    if (m_player->isPlaying())
        m_player->seek(1000);
    m_player->stop();
    m_player->updateClock(100);
    ui->pushButton_play->setChecked(true);
}

void QTAVPlayer::makeModalWindow()
{
    setWindowFlags(Qt::WindowFlags(0x813));
    setWindowModality(Qt::ApplicationModal);
}

void QTAVPlayer::hideWindowControls()
{
    ui->pushButton_all->setEnabled(false);
    ui->pushButton_all->hide();
    ui->widget_title->hide();
}

void QTAVPlayer::seekBySlider(int value)
{
    if (m_player->isPlaying())
        m_player->seek(qint64(value) * sliderUnit);
}

void QTAVPlayer::seekBySlider()
{
    seekBySlider(positionSlider->value());
}

void QTAVPlayer::upDateSliderTimer()
{
    const qint64 duration = m_player->duration();
    const qint64 position = m_player->position();
    positionSlider->setRange(0, int(duration / sliderUnit));
    positionSlider->setValue(int(position / sliderUnit));
    ui->pushButton_play->setChecked(!(m_player->isPlaying() && !m_player->isPaused()));

    durationText = clockText(duration);
    positionText = clockText(position);
    ui->label_time->setText(positionText + QLatin1Char('/') + durationText);

    // Only the first media a player learns the length of publishes it.
    if (durationPending && duration > 0) {
        videoDurationText = durationText;
        durationPending = false;
    }
    if (stopAtActive && qint32(position) >= stopAtMs) {
        m_player->pause(true);
        stopAtActive = false;
    }
}

void QTAVPlayer::on_pushButton_play_clicked(bool)
{
    // The next tick shows the state on the button.
    if (m_player->isPlaying())
        m_player->pause(!m_player->isPaused());
    else
        m_player->play();
}

void QTAVPlayer::on_pushButton_X_clicked()
{
    m_player->stop();
    hide();
    updateTimer->stop();
}

void QTAVPlayer::on_pushButton_all_clicked(bool checked)
{
    if (checked)
        showFullScreen();
    else
        showNormal();
}

void QTAVPlayer::on_horizontalSlider_volum_sliderMoved(int position)
{
    if (m_player && m_player->audio())
        m_player->audio()->setVolume(position * 0.01);
}

void QTAVPlayer::on_pushButton_2_clicked()
{
    volumeHidden = !volumeHidden;
    ui->horizontalSlider_volum->setVisible(!volumeHidden);
}

bool QTAVPlayer::eventFilter(QObject *watched, QEvent *event)
{
    // Click to seek: the slider counts pixels until the next tick.
    if (watched == positionSlider && event->type() == QEvent::MouseButtonPress) {
        const auto *me = static_cast<QMouseEvent *>(event);
        const int width = positionSlider->width();
        if (width > 0) {
            positionSlider->setMaximum(width);
            const double ratio = double(me->x()) / double(width);
            if (m_player->isPlaying()) {
                m_player->seek(qint64(double(m_player->duration()) * ratio));
                positionSlider->setValue(me->x());
            }
        }
    }
    // Not consumed: the slider sees the press as well.
    return QWidget::eventFilter(watched, event);
}

void QTAVPlayer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (ui->pushButton_play->isChecked()) {
        ui->pushButton_play->setChecked(false);
        m_player->pause(false);
    } else {
        ui->pushButton_play->setChecked(true);
        m_player->pause(true);
    }
}

void QTAVPlayer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        event->ignore();
        return;
    }
    if (ui->pushButton_all->isChecked()) {
        ui->pushButton_all->setChecked(false);
        showNormal();
    } else {
        ui->pushButton_all->setChecked(true);
        showFullScreen();
    }
}
