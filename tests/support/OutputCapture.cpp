#include "OutputCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

int makeTempFile()
{
    char name[] = "/tmp/grubnosh-capture-XXXXXX";
    const int fd = mkstemp(name);
    unlink(name);
    return fd;
}

std::string readAll(int fd)
{
    std::string text;
    lseek(fd, 0, SEEK_SET);
    char buffer[4096];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(count));
    close(fd);
    return text;
}

} // namespace

OutputCapture::OutputCapture() : finished(false)
{
    fflush(stdout);
    fflush(stderr);
    savedOut = dup(1);
    savedErr = dup(2);
    outFile = makeTempFile();
    errFile = makeTempFile();
    dup2(outFile, 1);
    dup2(errFile, 2);
}

OutputCapture::~OutputCapture()
{
    finish();
}

void OutputCapture::finish()
{
    if (finished)
        return;
    finished = true;
    fflush(stdout);
    fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
    outText = readAll(outFile);
    errText = readAll(errFile);
}

const std::string& OutputCapture::out()
{
    finish();
    return outText;
}

const std::string& OutputCapture::err()
{
    finish();
    return errText;
}

std::vector<std::string> OutputCapture::outLines()
{
    return splitLines(out());
}

std::vector<std::string> OutputCapture::errLines()
{
    return splitLines(err());
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
