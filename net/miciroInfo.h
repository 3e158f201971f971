#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

class QJsonObject;

// One courseware or micro-lecture record of a list reply.
struct miciroInfo
{
    QString id;
    QString name;
    QString fileSrc;
    QString grade;
    QString subject;
    QString codeVerstiontypeid;
    QString bootName;
    QString treeName;
    QString xuedou;
    QString purchase;
    QString codeChapter;
    QString isFee;
    QString smallDbType;
    QString authorName;
    QStringList pptFiles;
    int total = 0;
    int delFlag = 0;

    // Reads the keys of a list element. Values of the wrong JSON type read as
    // empty (strings) or 0 (delFlag); pptFiles only when asked for.
    static miciroInfo fromJson(const QJsonObject &o, int total, bool withCourseware = false);
};
Q_DECLARE_METATYPE(miciroInfo)

// The micro-lectures of the latest list replies, in reply order.
extern QList<miciroInfo> microLectureRecords;
