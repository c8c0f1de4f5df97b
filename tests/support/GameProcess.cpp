#include "GameProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <sys/wait.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "BmpFile.h"
#include "OutputCapture.h"

namespace {

// Windows come and go while the game starts up; asking about one that has
// just gone is no reason to end the test process (Xlib's default handler).
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

Window findWindowNamed(Display* display, Window parent, const char* name)
{
    char* title = NULL;
    if (XFetchName(display, parent, &title) && title != NULL) {
        const bool match = std::string(title) == name;
        XFree(title);
        if (match)
            return parent;
    }
    Window root, ignored;
    Window* children = NULL;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, parent, &root, &ignored, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i)
            found = findWindowNamed(display, children[i], name);
        if (children != NULL)
            XFree(children);
    }
    return found;
}

std::string readFile(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (file == NULL)
        return "";
    std::string text;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    fclose(file);
    return text;
}

} // namespace

void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

const ProgramEnvironment kNoDisplay = {{"DISPLAY", ":9999"}, {"SDL_VIDEODRIVER", "x11"}};

GameProcess::GameProcess(const std::string& folder, const ProgramStart& program)
    : folder(folder), windowCaption(program.caption), status(0), exited(false), windowId(0)
{
    // Built before the fork: the child only sets up its streams and execs.
    std::vector<char*> argv{const_cast<char*>(program.binary.c_str())};
    for (const std::string& argument : program.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        const int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        for (const auto& variable : program.environment)
            setenv(variable.first.c_str(), variable.second.c_str(), 1);
        execv(program.binary.c_str(), argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess()
{
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

bool GameProcess::waitForWindow(double seconds)
{
    Display* display = XOpenDisplay(NULL);
    if (display == NULL)
        return false;
    const XErrorHandler previous = XSetErrorHandler(ignoreXError);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (windowId == 0 && std::chrono::steady_clock::now() < deadline && running()) {
        windowId = findWindowNamed(display, DefaultRootWindow(display), windowCaption.c_str());
        if (windowId == 0)
            pause(0.05);
    }
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    if (windowId == 0)
        return false;
    xdotool("windowfocus --sync " + std::to_string(windowId));
    return true;
}

std::string GameProcess::caption() const
{
    Display* display = XOpenDisplay(NULL);
    std::string result;
    char* title = NULL;
    if (display != NULL && XFetchName(display, windowId, &title) && title != NULL) {
        result = title;
        XFree(title);
    }
    if (display != NULL)
        XCloseDisplay(display);
    return result;
}

void GameProcess::xdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments;
    if (system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

void GameProcess::keyDown(const std::string& key)
{
    xdotool("keydown " + key);
}

void GameProcess::keyUp(const std::string& key)
{
    xdotool("keyup " + key);
}

void GameProcess::tap(const std::string& key)
{
    xdotool("key " + key);
}

void GameProcess::moveMouse(int x, int y)
{
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void GameProcess::moveMouseInWindow(int x, int y)
{
    xdotool("mousemove --window " + std::to_string(windowId) + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameProcess::mouseDown(int button)
{
    xdotool("mousedown " + std::to_string(button));
}

void GameProcess::mouseUp(int button)
{
    xdotool("mouseup " + std::to_string(button));
}

void GameProcess::click(int button)
{
    xdotool("click " + std::to_string(button));
}

void GameProcess::closeWindow()
{
    Display* display = XOpenDisplay(NULL);
    if (display == NULL)
        throw std::runtime_error("no X display");
    XEvent message = {};
    message.xclient.type = ClientMessage;
    message.xclient.window = windowId;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, windowId, False, NoEventMask, &message);
    XFlush(display);
    XCloseDisplay(display);
}

std::string GameProcess::screenshot(double seconds)
{
    const std::string path = folder + "/sshot.bmp";
    unlink(path.c_str());
    tap("F2");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (BmpFile(path).valid)
            return path;
        pause(0.02);
    }
    return "";
}

ScreenImage GameProcess::grabWindow() const
{
    Display* display = XOpenDisplay(NULL);
    if (display == NULL)
        throw std::runtime_error("no X display");
    XWindowAttributes attributes;
    XGetWindowAttributes(display, windowId, &attributes);
    ScreenImage frame(attributes.width, attributes.height);
    XImage* image = XGetImage(display, windowId, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == NULL) {
        XCloseDisplay(display);
        throw std::runtime_error("cannot read the window");
    }
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const auto channel = [pixel](unsigned long mask) {
                return static_cast<uint8_t>((pixel & mask) >> __builtin_ctzl(mask));
            };
            frame.set(x, y, ScreenColour{channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask)});
        }
    XDestroyImage(image);
    XCloseDisplay(display);
    return frame;
}

bool GameProcess::running()
{
    if (exited)
        return false;
    if (waitpid(pid, &status, WNOHANG) == pid)
        exited = true;
    return !exited;
}

int GameProcess::waitForExit(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running() && std::chrono::steady_clock::now() < deadline)
        pause(0.02);
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        exited = true;
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool GameProcess::waitForOutput(const std::string& text, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        const bool ended = !running();
        if ((out() + err()).find(text) != std::string::npos)
            return true;
        if (ended || std::chrono::steady_clock::now() >= deadline)
            return false;
        pause(0.05);
    }
}

std::string GameProcess::out() const
{
    return readFile(folder + "/stdout.txt");
}

std::string GameProcess::err() const
{
    return readFile(folder + "/stderr.txt");
}

std::vector<std::string> GameProcess::outLines() const
{
    return splitLines(out());
}

std::vector<std::string> GameProcess::errLines() const
{
    return splitLines(err());
}
