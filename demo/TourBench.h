#pragma once

#include <QString>

// The figures scripts/bench takes from the real program code.
class TourBench
{
public:
    // A plain window titled "Lumexa-bare": the start-up baseline.
    static int bareWindow();
    // Login window to main window, the page building alone, and the
    // resident memory before login and with every page built.
    static int login();
    // Twelve thumbnails through the page's worker threads, then the same
    // encoder command twelve times in a row.
    static int thumbnails(const QString &video);
};
