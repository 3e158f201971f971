#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Process-wide test set-up: headless defaults, a private HOME, screenshots.
class TestEnvironment
{
public:
    // Call before the application object exists.
    static void prepare();
    // The private HOME of this test process.
    static QString home();
    // Saves a picture of the widget under the build's test-shots folder and
    // returns its path.
    static QString screenshot(QWidget *widget, const QString &name);
    // Saves a screenshot only when the current test function failed.
    static void screenshotIfFailed(QWidget *widget);
    // Writes bytes to path, replacing it and making its folders; false when that failed.
    static bool writeFile(const QString &path, const QByteArray &bytes);
    // The bytes of a file; empty when it cannot be read.
    static QByteArray readFile(const QString &path);
    // The test class now running names its screenshots.
    static void setCurrentClass(const QString &name);
    // Removes the private HOME; call once, when the process ends.
    static void cleanUp();
};
