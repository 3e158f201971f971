#pragma once

#include <QList>
#include <QString>

#include "LibraryItem.h"

class QGridLayout;
class QObject;
class QPushButton;
class QWidget;

// The grid of category buttons of a library: three a row, checkable, one
// checked at a time. Each button carries its category id as object name.
class CategoryButtons
{
public:
    // Categories past this many get no button.
    static constexpr int MaxButtons = 24;
    static const QString &styleSheet();
    // The text of a category's button: cut to maxLength characters followed
    // by "..." when longer; maxLength < 0 keeps the whole name.
    static QString buttonText(const QString &name, int maxLength);

    // Creates one button per category (up to MaxButtons) in grid order, connecting each one's
    // clicked(bool) to the receiver's slot (a SLOT() string).
    void fill(QGridLayout *grid, QWidget *parent, const QList<LibraryItem> &categories, int maxLength,
              QObject *receiver, const char *slot);
    // Radio behaviour for a click on button: returns the chosen category id,
    // or an empty string when the click only re-checked the checked button.
    QString choose(QPushButton *button, bool checked) const;

    const QList<QPushButton *> &buttons() const { return m_buttons; }

private:
    QList<QPushButton *> m_buttons;
};
