#pragma once

#include <QRect>
#include <QString>

class QWidget;
class messageForm;
class FormAnimation;

// Where the micro-lecture widgets put their messages and the busy overlay.
class MicroDialogs
{
public:
    // The content area below the top bar in screen coordinates; without a
    // main window (a page hosted on its own) the window of context.
    static QRect contentArea(const QWidget *context = nullptr);
    // The one-button message dialog over the content area.
    static messageForm *showMessage(const QString &text, const QWidget *context = nullptr);
    // The busy overlay; made hidden and window-sized over the main window (or
    // context's window) when there is none yet. Null without either.
    static FormAnimation *busyOverlay(QWidget *context);
};
