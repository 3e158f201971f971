#include "WidgetDriver.h"

#include "messageForm.h"

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
