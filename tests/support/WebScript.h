// Runs a script in a web page and waits for its result.
#pragma once

#include "WidgetDriver.h"

#include <QWebEnginePage>

inline QVariant runScript(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    WidgetDriver::waitFor([&] { return done; }, 10000);
    return result;
}
