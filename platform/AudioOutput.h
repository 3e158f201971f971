#pragma once

#include <QObject>

class MediaPlayer;

// The sound of a MediaPlayer: volume as a real number, 1.0 being full volume.
class AudioOutput : public QObject
{
    Q_OBJECT

public:
    void setVolume(qreal volume);
    qreal volume() const { return m_volume; }
    void setMute(bool mute);
    bool isMute() const { return m_mute; }

signals:
    void volumeChanged(qreal volume);

private:
    friend class MediaPlayer;
    explicit AudioOutput(MediaPlayer *player);

    MediaPlayer *m_player;
    qreal m_volume = 1.0;
    bool m_mute = false;
};
