#include "SlideActions.h"

#include "DocumentControl.h"
#include "DroppedPicture.h"
#include "OfficeSession.h"
#include "OfficeState.h"
#include "OfficeWorker.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

SlideActions::SlideActions(DocumentControl *control)
    : QObject(control), m_control(control), m_drops(new DroppedPicture(this))
{
    control->setAcceptDrops(true);
    control->installEventFilter(this);
    connect(m_drops, &DroppedPicture::ready, this, [this](const QString &path, const QPoint &at) {
        OfficeWorker *w = OfficeSession::worker();
        if (w && m_control->editable())
            QMetaObject::invokeMethod(w, [w, path, at] { w->insertPicture(path, at); }, Qt::QueuedConnection);
    });
    connect(m_drops, &DroppedPicture::failed, this, [this](const QString &name) {
        m_control->showNotice(QStringLiteral("无法插入图片：%1").arg(name));
    });
}

bool SlideActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu:
        showMenu(m_control->currentSlide(), static_cast<QContextMenuEvent *>(event)->globalPos(), true);
        return true;
    case QEvent::DragEnter: {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        if (m_control->editable() && DroppedPicture::pictureUrl(enter->mimeData()).isValid())
            enter->acceptProposedAction();
        return true;
    }
    case QEvent::DragMove: {
        auto *move = static_cast<QDragMoveEvent *>(event);
        if (m_control->slideRect().contains(move->pos()))
            move->acceptProposedAction();
        else
            move->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QUrl url = DroppedPicture::pictureUrl(drop->mimeData());
        if (m_control->editable() && url.isValid() && m_control->slideRect().contains(drop->pos())) {
            drop->acceptProposedAction();
            m_drops->fetch(url, m_control->toTwips(drop->pos()));
        }
        return true;
    }
    default:
        return false;
    }
}

void SlideActions::addObjectEntries(QMenu &menu)
{
    const OfficeState *state = m_control->officeState();
    auto entry = [&](const QString &text, const QByteArray &command, const QKeySequence &keys = QKeySequence()) {
        QAction *a = menu.addAction(text);
        a->setShortcut(keys);
        a->setEnabled(state->isEnabled(command));
        a->setData(command);
        return a;
    };
    entry(QStringLiteral("剪切"), ".uno:Cut", QKeySequence::Cut);
    entry(QStringLiteral("复制"), ".uno:Copy", QKeySequence::Copy);
    entry(QStringLiteral("粘贴"), ".uno:Paste", QKeySequence::Paste);
    menu.addSeparator();
    entry(QStringLiteral("置于顶层"), ".uno:BringToFront");
    entry(QStringLiteral("置于底层"), ".uno:SendToBack");
    // Row and column entries only inside a table.
    if (!state->value(".uno:InsertRowsAfter").isEmpty() && state->isEnabled(".uno:InsertRowsAfter")) {
        menu.addSeparator();
        entry(QStringLiteral("在下方插入行"), ".uno:InsertRowsAfter");
        entry(QStringLiteral("在右侧插入列"), ".uno:InsertColumnsAfter");
        entry(QStringLiteral("删除行"), ".uno:DeleteRows");
        entry(QStringLiteral("删除列"), ".uno:DeleteColumns");
    }
    menu.addSeparator();
}

void SlideActions::showMenu(int slide, const QPoint &globalPos, bool objects)
{
    if (!m_control->editable())
        return;
    QMenu menu(m_control);
    if (objects)
        addObjectEntries(menu);
    QAction *add = menu.addAction(QStringLiteral("新建幻灯片"));
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    QAction *remove = menu.addAction(QStringLiteral("删除幻灯片"));
    remove->setEnabled(m_control->slideCount() > 1);
    menu.addSeparator();
    QAction *picture = menu.addAction(QStringLiteral("插入图片…"));
    QAction *chosen = menu.exec(globalPos);
    if (chosen == add) {
        if (slide != m_control->currentSlide())
            m_control->showSlide(slide);
        m_control->newSlide();
    } else if (chosen == remove) {
        m_control->deleteSlide(slide);
    } else if (chosen == picture) {
        chooseAndInsertPicture();
    } else if (chosen) {
        const QByteArray command = chosen->data().toByteArray();
        if (command == ".uno:Cut" || command == ".uno:Copy")
            m_control->copy(command == ".uno:Cut");
        else if (command == ".uno:Paste")
            m_control->paste();
        else if (!command.isEmpty())
            m_control->runCommand(command);
    }
}

void SlideActions::chooseAndInsertPicture()
{
    const QString path = QFileDialog::getOpenFileName(m_control, QStringLiteral("插入图片"), QString(),
                                                      QStringLiteral("图片文件 (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (!path.isEmpty())
        m_control->insertPicture(path);
}
