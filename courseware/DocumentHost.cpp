#include "DocumentHost.h"

#include "EmitObject.h"
#include "Widgetmain.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

QPointer<DocumentControl> documentControl;
QString currentDocumentPath;

namespace {
const QString DeckFormat = QStringLiteral("PowerPoint.Show");
}

DocumentControl *DocumentHost::setUp(QWidget *page)
{
    if (!documentControl)
        documentControl = new DocumentControl(page);
    documentControl->setProperty("Titlebar", false);
    documentControl->setProperty("Menubar", false);
    documentControl->SetMenuDisplay(0);
    documentControl->Open(templateDeck());
    documentControl->hide();
    return documentControl;
}

void DocumentHost::openFromToolbar(const QString &path)
{
    if (documentControl)
        documentControl->Open(path);
}

QString DocumentHost::saveToWorkingFile()
{
    // The old working file goes first, so that a failed save never leaves
    // it behind to be published as the new deck.
    const QString target = workingFile();
    if (QFile::exists(target))
        QFile::remove(target);
    if (documentControl)
        documentControl->SaveAs(target, DeckFormat);
    currentDocumentPath = target;
    return target;
}

void DocumentHost::exportTo(const QString &path)
{
    // The teacher's existing file is replaced only once the new one is
    // written: a failed export must not cost them the old file.
    if (documentControl) {
        const QFileInfo info(path);
        const QString partial = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
        QFile::remove(partial);
        if (documentControl->SaveAs(partial, DeckFormat)) {
            QFile::remove(path);
            if (!QFile::rename(partial, path))
                qWarning() << "could not move the exported deck to" << path;
        } else {
            QFile::remove(partial);
        }
    }
    currentDocumentPath = path;
}

void DocumentHost::openDownloaded(const QString &localPath)
{
    currentDocumentPath = localPath;
    if (documentControl)
        documentControl->Open(localPath);
    emit EmitObject::instance()->shootCode(101, localPath);
}

QString DocumentHost::workingFile()
{
    return sourceDir + QStringLiteral("pptemp/newfile.pptx");
}

QString DocumentHost::templateDeck()
{
    return sourceDir + QStringLiteral("lumexa.pptx");
}

void DocumentHost::show()
{
    if (documentControl)
        documentControl->show();
}

void DocumentHost::hide()
{
    if (documentControl)
        documentControl->hide();
}

void DocumentHost::place(const QRect &rect)
{
    if (documentControl)
        documentControl->setGeometry(rect);
}

void DocumentHost::raise()
{
    if (documentControl)
        documentControl->raise();
}
