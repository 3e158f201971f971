#pragma once

#include "Startup.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QtTest>

// Like QTEST_MAIN, with the client's own process set-up and a private HOME so
// that no test ever touches the user's real data directories.
#define LUMEXA_TEST_MAIN(TestObject)                   \
    int main(int argc, char *argv[])                   \
    {                                                  \
        TestEnvironment::prepare();                    \
        Startup::beforeApplication();                  \
        QApplication app(argc, argv);                  \
        Startup::afterApplication(app);                \
        QStandardPaths::setTestModeEnabled(true);      \
        app.setAttribute(Qt::AA_Use96Dpi, true);       \
        TestObject tc;                                 \
        QTEST_SET_MAIN_SOURCE_PATH                     \
        return QTest::qExec(&tc, argc, argv);          \
    }
