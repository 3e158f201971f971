#pragma once

#include "Startup.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QtTest>

// Test classes register themselves; each suite program (SuiteMain.cpp) runs
// the classes linked into it, one after another, in one process with the
// client's own set-up and a private HOME.
namespace LumexaTest {
using Factory = QObject *(*)();
bool add(const char *name, Factory make);
}

#define LUMEXA_TEST_MAIN(TestObject)                                    \
    static const bool lumexa_registered_##TestObject =                  \
        LumexaTest::add(#TestObject, []() -> QObject * { return new TestObject; });
