#ifndef TEST_GAME_PROCESS_H
#define TEST_GAME_PROCESS_H

#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "ScreenImage.h"

// Variables set for the program only, over the test's own environment.
typedef std::vector<std::pair<std::string, std::string>> ProgramEnvironment;

// What to start: the built game unless told otherwise. The caption names the
// window to wait for.
struct ProgramStart
{
    std::string binary = GRUBNOSH_BINARY;
    std::string caption = "Grubnosh";
    ProgramEnvironment environment;
    std::vector<std::string> arguments;
};

// The real game binary, started in a folder under the harness's X display and
// driven from outside: keys through XTEST (xdotool), closing through a real
// WM_DELETE_WINDOW message. Standard output and error are kept apart.
class GameProcess
{
public:
    // Starts the program with the folder as its working directory.
    explicit GameProcess(const std::string& folder, const ProgramStart& program = ProgramStart());
    ~GameProcess();

    // Waits for the window with the program's caption and gives it the keyboard focus.
    // Returns false if it did not appear in time.
    bool waitForWindow(double seconds = 20.0);
    unsigned long window() const { return windowId; }
    std::string caption() const;

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void tap(const std::string& key);
    void moveMouse(int x, int y);
    // Moves the pointer to a pixel of the window, wherever the window stands.
    void moveMouseInWindow(int x, int y);
    // Mouse buttons by X number: 1 left, 3 right, 4 and 5 the wheel.
    void mouseDown(int button);
    void mouseUp(int button);
    void click(int button);
    void closeWindow();
    // What the window shows right now, read from the X server.
    ScreenImage grabWindow() const;
    // Presses F2 and waits until the game has written a complete sshot.bmp in
    // its folder; returns that path, or an empty string if none came in time.
    std::string screenshot(double seconds = 10.0);

    // Waits until standard output or error holds the text; false if the program
    // ended or the time ran out first.
    bool waitForOutput(const std::string& text, double seconds = 60.0);

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
    std::string windowCaption;
    pid_t pid;
    int status;
    bool exited;
    unsigned long windowId;
};

// Where a program can only fail to open its window: no X display to reach, and
// X11 alone to try (SDL would otherwise fall back to a text-mode or off-screen driver).
extern const ProgramEnvironment kNoDisplay;

// Sleeps for the given number of seconds.
void pause(double seconds);

#endif
