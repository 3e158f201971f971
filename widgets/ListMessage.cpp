#include "ListMessage.h"

#include "Widgetmain.h"
#include "messageForm.h"

messageForm *ListMessage::show(int type, const QString &text)
{
    auto *m = new messageForm(type, nullptr);
    m->setMessage(text);
    // Before the main window has laid itself out there is no content area.
    m->setGeometry(contentRect.isValid() ? contentRect : QRect(0, 0, 1200, 760));
    m->show();
    return m;
}
