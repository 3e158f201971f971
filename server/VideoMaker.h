#pragma once

#include <QString>
#include <QVector>

// Makes the short demo videos with ffmpeg: a generated test picture, a title
// card laid over it and a tone, H.264/AAC in MP4 with a keyframe a second.
class VideoMaker
{
public:
    struct Job
    {
        QString output;
        QString source;  // lavfi video source
        QString overlay; // transparent PNG
        int seconds = 4;
    };

    static bool available();
    // Runs the jobs, two at a time; returns how many failed.
    static int run(const QVector<Job> &jobs);
};
