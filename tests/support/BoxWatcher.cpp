#include "BoxWatcher.h"

#include <QApplication>
#include <QMessageBox>

BoxWatcher::BoxWatcher(QObject *parent)
    : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen << box->windowTitle() + "|" + box->text();
        box->accept();
    });
    m_timer.start(30);
}
