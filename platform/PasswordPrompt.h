#pragma once

#include <QString>

class QWidget;

// Asks the teacher for the password of a protected deck.
class PasswordPrompt
{
public:
    // Shows a modal prompt naming the file (again: the last password was
    // wrong). False when the teacher cancelled or the parent went away.
    static bool ask(QWidget *parent, const QString &fileName, bool again, QString *password);
};
