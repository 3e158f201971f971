#include "AudioOutput.h"

#include "MediaPlayer.h"

AudioOutput::AudioOutput(MediaPlayer *player)
    : QObject(player)
    , m_player(player)
{
}

void AudioOutput::setVolume(qreal volume)
{
    // Louder than the recording is not offered: clamp to silence..full.
    volume = qBound<qreal>(0.0, volume, 1.0);
    if (qFuzzyCompare(volume + 1.0, m_volume + 1.0))
        return;
    m_volume = volume;
    m_player->setDouble("volume", volume * 100.0);
    emit volumeChanged(volume);
}

void AudioOutput::setMute(bool mute)
{
    if (mute == m_mute)
        return;
    m_mute = mute;
    m_player->setFlag("mute", mute);
}
