#include "miciroInfo.h"

#include <QJsonArray>
#include <QJsonObject>

QList<miciroInfo> microLectureRecords;

miciroInfo miciroInfo::fromJson(const QJsonObject &o, int total, bool withCourseware)
{
    miciroInfo r;
    r.id = o.value("id").toString();
    r.name = o.value("name").toString();
    r.fileSrc = o.value("fileSrc").toString();
    r.grade = o.value("grade").toString();
    r.subject = o.value("subject").toString();
    r.codeVerstiontypeid = o.value("codeVerstiontypeid").toString();
    r.bootName = o.value("bootName").toString();
    r.treeName = o.value("treeName").toString();
    r.xuedou = o.value("xuedou").toString();
    r.isFee = o.value("isFee").toString();
    r.purchase = o.value("purchase").toString();
    r.codeChapter = o.value("codeChapter").toString();
    r.smallDbType = o.value("smallDbType").toString();
    r.delFlag = o.value("delFlag").toInt();
    r.total = total;
    if (withCourseware) {
        r.authorName = o.value("authorName").toString();
        const QJsonArray files = o.value("pptFiles").toArray();
        for (const auto &f : files)
            r.pptFiles << f.toString();
    }
    return r;
}
