#include "WidgetDriver.h"

#include "messageForm.h"

#include <QComboBox>
#include <QInputMethodEvent>

bool WidgetDriver::click(QObject *root, const QString &name)
{
    auto *button = find<QAbstractButton>(root, name);
    if (!button)
        return false;
    if (button->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click();
    return true;
}

bool WidgetDriver::type(QObject *root, const QString &name, const QString &text)
{
    auto *edit = find<QLineEdit>(root, name);
    if (!edit)
        return false;
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, text);
    return edit->text() == text;
}

void WidgetDriver::commitText(QWidget *target, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

void WidgetDriver::drag(QWidget *target, const QPoint &from, const QPoint &to)
{
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i) {
        const QPoint p = from + (to - from) * i / 8;
        QMouseEvent move(QEvent::MouseMove, p, target->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, to);
}

bool WidgetDriver::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(10);
    }
    return true;
}

bool WidgetDriver::fillCurriculum(QWidget *form)
{
    for (int i = 1; i <= 4; ++i)
        find<QComboBox>(form, QStringLiteral("comboBox_%1").arg(i))->setCurrentIndex(i == 1 ? 2 : 1);
    auto *volume = find<QComboBox>(form, QStringLiteral("comboBox_5"));
    if (!volume->isEnabled())
        return false;
    QTest::mouseClick(volume, Qt::LeftButton); // loads the volumes
    volume->hidePopup();
    volume->setCurrentIndex(1);
    return volume->currentIndex() == 1;
}

QStringList WidgetDriver::shownMessages()
{
    QStringList out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            out << m->message();
    return out;
}

void WidgetDriver::closeMessages()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            m->on_pushButtonOK_clicked();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool WidgetDriver::answerMessage(bool ok)
{
    QList<messageForm *> shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            shown << m;
    return shown.size() == 1 && click(shown.first(), ok ? QStringLiteral("pushButtonOK") : QStringLiteral("pushButton_Cancle"));
}
