#ifndef TEST_GAME_PROCESS_H
#define TEST_GAME_PROCESS_H

#include <string>
#include <vector>

#include <sys/types.h>

#include "ScreenImage.h"

// The real game binary, started in a folder under the harness's X display and
// driven from outside: keys through XTEST (xdotool), closing through a real
// WM_DELETE_WINDOW message. Standard output and error are kept apart.
class GameProcess
{
public:
    // Starts the binary with the folder as its working directory.
    explicit GameProcess(const std::string& folder);
    ~GameProcess();

    // Waits for the window titled "Grubnosh" and gives it the keyboard focus.
    // Returns false if it did not appear in time.
    bool waitForWindow(double seconds = 20.0);
    unsigned long window() const { return windowId; }
    std::string caption() const;

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void tap(const std::string& key);
    void moveMouse(int x, int y);
    void closeWindow();
    // What the window shows right now, read from the X server.
    ScreenImage grabWindow() const;
    // Presses F2 and waits until the game has written a complete sshot.bmp in
    // its folder; returns that path, or an empty string if none came in time.
    std::string screenshot(double seconds = 10.0);

    bool running();
    pid_t processId() const { return pid; }
    // Exit status, or -1 if the process did not end in time (it is then killed).
    int waitForExit(double seconds = 20.0);

    std::string out() const;
    std::string err() const;
    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;

private:
    void xdotool(const std::string& arguments);

    std::string folder;
    pid_t pid;
    int status;
    bool exited;
    unsigned long windowId;
};

// Sleeps for the given number of seconds.
void pause(double seconds);

#endif
