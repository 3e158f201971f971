#include "OfficeKeys.h"

namespace {
// css::awt::Key groups and modifier bits.
enum : int {
    Num0 = 256,
    LetterA = 512,
    F1 = 768,
    Down = 1024, Up, Left, Right, Home, End, PageUp, PageDown,
    Return = 1280, Escape, Tab, Backspace, Space, Insert, Delete,
    Shift = 0x1000,
    Mod1 = 0x2000,
    Mod2 = 0x4000,
};
}

int OfficeKeys::keyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return LetterA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Num0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Down: return Down;
    case Qt::Key_Up: return Up;
    case Qt::Key_Left: return Left;
    case Qt::Key_Right: return Right;
    case Qt::Key_Home: return Home;
    case Qt::Key_End: return End;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Return;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Tab;
    case Qt::Key_Backspace: return Backspace;
    case Qt::Key_Space: return Space;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    default: return 0;
    }
}

int OfficeKeys::modifiers(Qt::KeyboardModifiers m)
{
    int bits = 0;
    if (m & Qt::ShiftModifier)
        bits |= Shift;
    if (m & Qt::ControlModifier)
        bits |= Mod1;
    if (m & Qt::AltModifier)
        bits |= Mod2;
    return bits;
}

int OfficeKeys::buttons(Qt::MouseButtons b)
{
    int bits = 0;
    if (b & Qt::LeftButton)
        bits |= 1;
    if (b & Qt::MiddleButton)
        bits |= 2;
    if (b & Qt::RightButton)
        bits |= 4;
    return bits;
}

bool OfficeKeys::isSpecial(int qtKey)
{
    const int code = keyCode(qtKey);
    return code >= F1 && code != Space;
}
