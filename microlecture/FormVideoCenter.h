#pragma once

#include "EncoderProcess.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QWidget>

namespace Ui {
class FormVideoCenter;
}
class Filmstrip;
class QTAVPlayer;
class QTimer;

// The name typed on the editing page and the last saved (or exported) cut:
// what the micro-lecture publish form names and uploads.
extern QString microLectureName;
extern QString savedVideoPath;

// The video editing page: a name, the player, a two-handle range slider with
// two time edits, and the save button. The chosen range is cut by the
// encoder into "tempv.mp4" (save) or into a file the teacher picks (export).
class FormVideoCenter : public QWidget
{
    Q_OBJECT

public:
    explicit FormVideoCenter(QWidget *parent = nullptr);
    ~FormVideoCenter() override;

    QTAVPlayer *videoPlayer() const { return player; }
    QString currentVideo() const { return currentVideoPath; }
    QString lastOutput() const { return outputPath; }
    // The cut running now, if any.
    EncoderProcess *runningCut() const { return m_cut; }
    Filmstrip *filmstrip() const;

    // Player length in milliseconds, as the range model uses it.
    int mediaLength() const;
    // The encoder's arguments for the chosen range into output.
    QStringList cutArguments(const QString &output) const;

    // Where a save writes: "tempv.mp4" in the program's directory when that
    // directory takes files, else in the cache directory.
    QString saveFilePath() const;
    static QString saveFilePathIn(const QString &applicationDir, const QString &cacheDir);
    // The program's directory unless set otherwise (tests keep their cuts apart).
    void setApplicationDirectory(const QString &dir) { m_applicationDir = dir; }
    // Both name one file: the same path (letters compared as cs says) or the
    // same file on disk.
    static bool sameFile(const QString &a, const QString &b, Qt::CaseSensitivity cs);

    void resetEditor();
    bool hasPlayableVideo() const;
    bool hasLectureName() const;

signals:
    void shootSaveMicro();

public slots:
    void openVideo(QString str);
    void initProcessbar();
    void getVideoPreview();
    void outputMicroClass();
    void clipVideoFinished(int tt);
    void clipVideoFinishedOutput(int tt);
    void lowerValueChangedSlot(int value);
    void upperValueChangedSlot(int value);
    // Ends the running cut: its partial file goes, the earlier cut stays.
    void cancelCut();

private slots:
    void on_pushButton5Save_clicked();
    void on_timeEdit_startTime_timeChanged(const QTime &time);
    void on_timeEdit_endTime_timeChanged(const QTime &time);
    void on_lineEdit1_textEdited(const QString &arg1);
    void on_horizontalSlider3_valueChanged(int value);
    void on_widget2_destroyed();
    void onReadyTimeout();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Each setter raises the control's ignore flag only for the one change it
    // makes: a value that does not change emits nothing, and a flag left
    // standing would swallow the teacher's next change.
    void setStartEdit(const QTime &t);
    void setEndEdit(const QTime &t);
    void setLowerHandle(int value);
    void setUpperHandle(int value);
    void updateRangeLength();
    QTime lengthTime() const;
    // Handle position (0-1000) of a time edit's value.
    int handleFor(const QTime &time) const;
    void fitPlayer();
    void startCut(const QString &output, bool save);
    void finishCut(int exitCode, bool save);
    void showBusy();
    void addKeys();
    // The playhead moved by ms (paused or playing), kept within the video.
    void stepBy(qint64 ms);
    // Start (I) or end (O) of the range at the playhead.
    void markAtPlayhead(bool start);
    void showCutSize();

    Ui::FormVideoCenter *ui;
    QTAVPlayer *player = nullptr;
    QString currentVideoPath;
    QString outputPath;
    // The encoder writes here first; the output takes its place on success.
    QString m_partPath;
    QTimer *readyTimer = nullptr;
    int m_readyRetries = 0;
    QPointer<EncoderProcess> m_cut;
    // A cut whose output came out shorter than its range failed.
    bool m_cutShort = false;
    QString m_applicationDir;
    bool ignoreStartEdit = false;
    bool ignoreEndEdit = false;
    bool ignoreLowerHandle = false;
    bool ignoreUpperHandle = false;
};
