#pragma once

#include <QPointer>
#include <QString>

class messageForm;

// The one notice of a network failure: while it is shown, further failures
// add no dialog of their own, so a page of failed requests says so once.
class NetworkNotice
{
public:
    // Shows text unless a notice is already up; returns the notice shown.
    static messageForm *show(const QString &text, bool smallText = false);
    // The notice up right now, if any.
    static messageForm *current();
};
