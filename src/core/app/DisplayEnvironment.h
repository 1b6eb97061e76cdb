#pragma once

// Choices about the display connection, made before the application object opens it.
class DisplayEnvironment
{
public:
    // The program's steady repaints are a few small strips: the banner sweep and the
    // stopwatch's digits. Through X shared memory each one waits for a completion event that
    // wakes the program twice more; the same few kilobytes sent on the connection cost no
    // reply at all. So images go on the connection unless the user set QT_XCB_NO_MITSHM
    // (Qt asks only whether it is set, not its value). Call before the QApplication is made;
    // other platforms ignore the setting. True when the program set it, not the user.
    static bool prepare();
    // Call once the QApplication is made: the display connection has read the setting, and
    // the programs the links start (browser, mail) see the environment as the user had it.
    // Removes the setting only where prepare() made it.
    static void release(bool setByPrepare);
};
