#include "ResourceExport.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "FormAnimation.h"
#include "FormExportProgress.h"
#include "Http_access.h"
#include "ListMessage.h"
#include "LocalFileName.h"

#include <QFileDialog>
#include <QJsonObject>
#include <QPointer>

std::function<QString(QWidget *)> ResourceExport::chooseFolder = [](QWidget *parent) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择保存路径"), QStringLiteral("/"),
                                             QFileDialog::ShowDirsOnly);
};

QString ResourceExport::refusalText()
{
    return QStringLiteral("今日次数不足，每天只有3次导出机会哦。");
}

QList<ResourceExport::Item> ResourceExport::plan(const QList<miciroInfo> &records, const QString &folder,
                                                 const QString &storageBase,
                                                 const std::function<QString(const miciroInfo &)> &suffixFor)
{
    QList<Item> out;
    QStringList taken;
    for (const miciroInfo &r : records) {
        const QString base = LocalFileName::safe(r.name, r.id);
        // Two records of one name, or a file the teacher already has there:
        // each export gets a name of its own instead of replacing it.
        const QString path = LocalFileName::unique(folder, base, suffixFor(r), taken);
        taken << path;
        out.append({storageBase + r.fileSrc, path});
    }
    return out;
}

bool ResourceExport::run(QWidget *page, FormExportProgress *panel, const QList<miciroInfo> &records,
                         const QString &type, const QString &storageBase,
                         const std::function<QString(const miciroInfo &)> &suffixFor)
{
    if (records.isEmpty())
        return false;
    // The folder dialog and the allowance request wait in nested event
    // loops: the page and its progress panel may be gone when they return.
    QPointer<FormExportProgress> progress(panel);
    const QString folder = chooseFolder ? chooseFolder(page) : QString();
    if (folder.isEmpty() || !progress)
        return false;

    QStringList sources;
    for (const miciroInfo &r : records)
        sources << r.fileSrc;
    const QJsonObject body{{QStringLiteral("frequency"), records.size()},
                           {QStringLiteral("resName"), sources.join(QLatin1Char(','))},
                           {QStringLiteral("resUrl"), folder},
                           {QStringLiteral("type"), type}};
    QPointer<Http_access> http = Http_access::instance();
    http->code = 0;
    http->msg.clear();
    const bool allowed = http->postForStrictSuccess(BaseAddress::api() + ApiPaths::exportSave, body);
    if (!progress || !http)
        return false;
    if (!allowed) {
        // No envelope at all means the server was not reached, which is not
        // the allowance's fault.
        const bool answered = http->code != 0 || !http->msg.isEmpty();
        ListMessage::show(0, answered ? refusalText() : QStringLiteral("导出失败，检查网络重新尝试。"));
        return false;
    }

    FormAnimation::showBusyOverlay();
    for (const Item &item : plan(records, folder, storageBase, suffixFor)) {
        panel->addFile(item.localPath);
        Http_access *d = Http_access::download(item.address, item.localPath, false);
        QObject::connect(d, &Http_access::downloadProgress, panel, &FormExportProgress::setProgress);
        QObject::connect(d, &Http_access::downloadFinished, panel, &FormExportProgress::setFinished);
    }
    FormAnimation::hideBusyOverlay();
    return true;
}
