#ifndef TORVANE_RUNFILETARGET_H
#define TORVANE_RUNFILETARGET_H

// How a run's file is written. Internal to the engine.

#include <memory>
#include <string>

class FreshFile;

// Where a recording goes: a fresh file beside the destination (through a
// symbolic link, beside its target), made when the recording starts, so a
// folder that takes no file is told at once, and renamed over the destination
// only when the run is complete. Removed again if the run never is.
class RunFileTarget
{
public:
    explicit RunFileTarget(const std::string& path);
    ~RunFileTarget();
    RunFileTarget(const RunFileTarget&) = delete;
    RunFileTarget& operator=(const RunFileTarget&) = delete;

    // False when the fresh file could not be made; problem() says why.
    bool isOpen() const;
    const std::string& problem() const { return reason; }
    // Writes the bytes, flushes them and puts the file in place; false with errno set.
    bool commit(const std::string& bytes);

private:
    std::string destination;
    std::unique_ptr<FreshFile> fresh;
    std::string reason;
};

// Whether the two paths name the same existing file.
bool sameFile(const std::string& a, const std::string& b);

#endif
