#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "miciroInfo.h"

class FormExportProgress;
class QWidget;

// The export of the own-resource lists: the teacher picks a folder, the
// server counts the export against the daily allowance, and the files are
// downloaded into the folder with their progress in the page's panel.
class ResourceExport
{
public:
    struct Item
    {
        QString address;
        QString localPath;
    };

    // Asks for the target folder; empty when cancelled. The folder dialog
    // by default; tests put an answer of their own here.
    static std::function<QString(QWidget *parent)> chooseFolder;

    // Local paths for the records in folder: the safe name, the suffix
    // suffixFor gives, and never a file that exists or an earlier record's.
    static QList<Item> plan(const QList<miciroInfo> &records, const QString &folder,
                            const QString &storageBase,
                            const std::function<QString(const miciroInfo &)> &suffixFor);

    // The whole export; type "3" for courseware, "2" for micro-lectures.
    // True when the downloads were started.
    static bool run(QWidget *page, FormExportProgress *panel, const QList<miciroInfo> &records,
                    const QString &type, const QString &storageBase,
                    const std::function<QString(const miciroInfo &)> &suffixFor);

    static QString refusalText();
};
