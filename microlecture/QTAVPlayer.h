#pragma once

#include <QString>
#include <QTime>
#include <QWidget>

namespace Ui {
class QTAVPlayer;
}
class MediaPlayer;
class VideoOutput;
class QSlider;
class QTimer;

class QTAVPlayer;

// One flag for every player: the sound button hides or shows the volume slider.
extern bool volumeHidden;
// Length of the current micro-lecture video as text, sent as "duration" by the
// publish forms. Written by the player (the first length it learns) and by the
// video editing page (the length of the chosen range).
extern QString videoDurationText;
// The shared popup in which list tiles play published videos; see popup().
extern QTAVPlayer *popupPlayer;

// The client's video player: a title bar, the video with a seek slider under
// it, and a bottom bar with play/pause, the time, volume, sound and full
// screen. Embedded in the video editing page, or used as the shared popup.
class QTAVPlayer : public QWidget
{
    Q_OBJECT

public:
    explicit QTAVPlayer(QWidget *parent = nullptr);
    ~QTAVPlayer() override;

    // The shared popup player, made on first use: parentless, frameless and
    // application-modal. It lives until the application quits.
    static QTAVPlayer *popup();

    void playFile(const QString &path);
    void showAndPlay(const QString &path);
    void pausePlayer();
    // Plays from startMs and pauses at the first tick at or after endMs.
    void playRange(int startMs, int endMs);
    void seekToTime(const QTime &t);
    qint64 mediaDuration() const;
    void stopPlayer();
    void makeModalWindow();
    void hideWindowControls();

    MediaPlayer *player() const { return m_player; }
    VideoOutput *videoOutput() const { return m_videoOutput; }
    QSlider *seekSlider() const { return positionSlider; }
    bool rangeActive() const { return stopAtActive; }
    bool isTicking() const;
    QString durationString() const { return durationText; }
    QString positionString() const { return positionText; }

    // "hh:mm:ss" of a count of milliseconds, each part at least two digits.
    static QString clockText(qint64 ms);

signals:
    void setStrName(QString str);

public slots:
    void seekBySlider(int value);
    void seekBySlider();
    // The once-a-second tick: slider, play button, time label, range end.
    void upDateSliderTimer();

private slots:
    void on_pushButton_play_clicked(bool checked);
    void on_pushButton_X_clicked();
    void on_pushButton_all_clicked(bool checked);
    void on_horizontalSlider_volum_sliderMoved(int position);
    void on_pushButton_2_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool checkPath(const QString &path);

    Ui::QTAVPlayer *ui;
    QString durationText;
    QString positionText;
    QTimer *updateTimer = nullptr;
    bool stopAtActive = false;
    bool durationPending = true;
    int stopAtMs = 0;
    MediaPlayer *m_player = nullptr;
    VideoOutput *m_videoOutput = nullptr;
    QSlider *positionSlider = nullptr;
    int sliderUnit = 1000;
};
