#pragma once

class MenuWindows;
class TMenuWindowBase;

// What a second-level window needs of the menu window that opens it: its
// sounds, music, hints and place (the window itself), the way back, and the
// end of the program. The menu window is the one host; the second-level
// window knows it only through this.
class SubWindowHost
{
public:
    virtual ~SubWindowHost() = default;

    virtual TMenuWindowBase &hostWindow() = 0;
    // The menu with its second-level window, for the functions that work on
    // both windows (search).
    virtual MenuWindows &menuWindows() = 0;
    // The second-level window closes: the menu comes back where it stood.
    virtual void returnFromSubWindow(TMenuWindowBase *window) = 0;
    // Ends the program through the menu's close.
    virtual void endProgram() = 0;
};
