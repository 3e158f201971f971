#include "LumexaTest.h"

#include <QMap>
#include <cstdio>

namespace {
QMap<QString, LumexaTest::Factory> &registry()
{
    static QMap<QString, LumexaTest::Factory> classes;
    return classes;
}
}

bool LumexaTest::add(const char *name, Factory make)
{
    registry().insert(QString::fromLatin1(name), make);
    return true;
}

// Runs every registered class, or, with a class name as the first argument,
// only that one (the rest of the arguments go to QtTest as usual).
int main(int argc, char *argv[])
{
    TestEnvironment::prepare();
    Startup::beforeApplication();
    int status = 0;
    {
        QApplication app(argc, argv);
        Startup::afterApplication(app);
        QStandardPaths::setTestModeEnabled(true);
        app.setAttribute(Qt::AA_Use96Dpi, true);

        QStringList args = app.arguments();
        QStringList names = registry().keys();
        if (args.size() > 1 && registry().contains(args.at(1))) {
            names = QStringList{args.takeAt(1)};
        } else if (args.contains(QStringLiteral("-classes"))) {
            for (const QString &n : names)
                std::printf("%s\n", qPrintable(n));
            names.clear();
        }
        for (const QString &name : names) {
            TestEnvironment::setCurrentClass(name);
            QObject *test = registry().value(name)();
            status |= QTest::qExec(test, args) != 0;
            delete test;
        }
    }
    TestEnvironment::cleanUp();
    return status;
}
