#pragma once

#include <QString>

class OfficeWorker;

// The one office of the process and the thread it runs on. The office may be
// started only once per process and must be closed on its own thread before
// the process ends; this class owns both rules.
class OfficeSession
{
public:
    // Starts the thread and the office on first use; null once shut down.
    static OfficeWorker *worker();
    // Closes the deck and the office on their thread and stops the thread.
    // Runs by itself when the application quits; safe to call again.
    static void shutdown();

    // The office's program directory: LUMEXA_OFFICE_PROGRAM when set, else
    // the system's LibreOffice.
    static QString programDir();
    // The office's private settings, below the per-user data location.
    static QString profileDir();
};
