#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class EncoderProcess;
class QxtSpanSlider;

// A strip of pictures from the video under the range slider, so that a
// teacher finds the range by sight, with the two handles' times over it.
// The pictures come from one encoder run in the background (a child
// process: the GUI thread never waits for it) and are kept in the cache
// directory per file (path, size and time of change).
class Filmstrip : public QWidget
{
    Q_OBJECT

public:
    explicit Filmstrip(QWidget *parent = nullptr);
    ~Filmstrip() override;

    // The slider whose groove the strip lines up with.
    void setSlider(QxtSpanSlider *slider);
    // Shows the strip of path (lengthMs long): from the cache, or made anew.
    // A strip still being made for another video is abandoned.
    void setVideo(const QString &path, qint64 lengthMs);
    void clear();
    // The texts shown at the lower and upper handle.
    void setHandleTimes(const QString &lower, const QString &upper);

    QImage strip() const { return m_strip; }
    bool isMaking() const;
    // Where the strip of a video with count pictures is cached; empty when
    // the file is not there.
    static QString cachePath(const QString &video, int count);
    // Pictures for a width: one every 64 pixels or so, within 6 to 30.
    static int countFor(int width);

signals:
    // A strip is shown (made or taken from the cache).
    void ready();

protected:
    void paintEvent(QPaintEvent *event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void finishRun(EncoderProcess *run);
    void abandonRun();
    // x of the handle centre for a slider value, in this widget.
    int xFor(int value) const;

    QPointer<QxtSpanSlider> m_slider;
    QPointer<EncoderProcess> m_run;
    QString m_target;
    QString m_part;
    QImage m_strip;
    QString m_lowerText;
    QString m_upperText;
};
