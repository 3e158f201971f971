#pragma once

class QApplication;

// Process set-up shared by the program and its tests.
class Startup
{
public:
    // Attributes that must be set before the application object exists.
    static void beforeApplication();
    // Fonts, toolkit translation and C locale for the media engine.
    static void afterApplication(QApplication &app);
    // True when running as root, where the web engine needs its sandbox off.
    static bool runningAsRoot();
};
