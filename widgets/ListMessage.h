#pragma once

#include <QString>

class messageForm;

// The in-window message dialog as the list pages use it: over the content
// area of the main window, deleting itself when closed.
class ListMessage
{
public:
    // type 0: one button; 1 and 2: two buttons ("好的" / "确认").
    static messageForm *show(int type, const QString &text);
};
