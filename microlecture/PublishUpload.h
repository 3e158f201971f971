#pragma once

#include <QString>

class QWidget;

// What both publish forms do with the file they send: measure it against
// the 50 MB the editing page asks for, offer a smaller re-encode of a video,
// and upload it with its progress and 取消 on the busy overlay. Each step
// waits in a nested event loop, as the request layer's calls do.
class PublishUpload
{
public:
    static const qint64 kLimitBytes = 50LL * 1024 * 1024;

    enum Choice { Upload, Shrink, Cancel };
    // Upload when path is within the limit (or cannot be measured); else the
    // teacher is told its size and chooses. Shrink is offered when asked for.
    static Choice ask(const QString &path, bool offerShrink, QWidget *parent = nullptr);
    // Re-encodes path into output so that it fits the limit, with progress;
    // returns output, or empty when it failed or was cancelled (*cancelled
    // tells which).
    static QString shrink(const QString &path, const QString &output, bool *cancelled);
    // Length of a video as the encoder reads it; -1 when it cannot.
    static qint64 lengthOf(const QString &path);
    // Video bit rate in kbit/s that makes lengthMs fit into bytes with sound.
    static int videoKbpsFor(qint64 lengthMs, qint64 bytes);
    // The request layer's upload with progress on the busy overlay; empty on
    // failure, and *cancelled set when the teacher cancelled it.
    static QString upload(const QString &address, const QString &path, const QString &contentType,
                          bool *cancelled);
    // "12.3 MB"
    static QString sizeText(qint64 bytes);
};
