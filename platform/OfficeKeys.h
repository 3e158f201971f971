#pragma once

#include <Qt>

// Translates the toolkit's keys, modifiers and buttons into the office's
// codes (its awt key codes with modifier bits, and its mouse button bits).
class OfficeKeys
{
public:
    // The office's code of a key, 0 when it has none.
    static int keyCode(int qtKey);
    // Shift, Ctrl and Alt as the office's modifier bits.
    static int modifiers(Qt::KeyboardModifiers modifiers);
    static int buttons(Qt::MouseButtons buttons);
    // Keys that edit or move rather than insert text (arrows, Enter, Tab...).
    static bool isSpecial(int qtKey);
};
