#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QDeadlineTimer>
#include <QtTest>
#include <functional>

// Small helpers to drive forms by their object names.
class WidgetDriver
{
public:
    template <class T>
    static T *find(QObject *root, const QString &name)
    {
        T *w = root ? root->findChild<T *>(name) : nullptr;
        if (!w)
            qWarning("no child %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return w;
    }

    // Clicks a button with the mouse when it is visible, else programmatically.
    static bool click(QObject *root, const QString &name);
    // Replaces the text of a line edit by typing it key by key.
    static bool type(QObject *root, const QString &name, const QString &text);
    // Text as an input method commits it: the test keyboard knows no Chinese.
    static void commitText(QWidget *target, const QString &text);
    // A left-button drag in eight moves, as a hand would make it.
    static void drag(QWidget *target, const QPoint &from, const QPoint &to);
    // Spins the event loop until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 10000);
    // Picks subject, type, version and grade of a publish form (comboBox_1 to
    // comboBox_4), then its first volume once they load; false when none did.
    static bool fillCurriculum(QWidget *form);

    // The first visible top-level window of a class.
    template <class T>
    static T *shownTopLevel()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
                return t;
        return nullptr;
    }
    // The texts of the message dialogs shown right now.
    static QStringList shownMessages();
    // Answers every shown message dialog with its OK button.
    static void closeMessages();
    // Answers the one message dialog shown (OK or cancel); false when not
    // exactly one is shown.
    static bool answerMessage(bool ok = true);
};
