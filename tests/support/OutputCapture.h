#ifndef TEST_OUTPUT_CAPTURE_H
#define TEST_OUTPUT_CAPTURE_H

#include <string>
#include <vector>

// Redirects the process's standard output and error (file descriptors 1 and 2)
// into temporary files while alive, so printf and fprintf lines can be checked.
class OutputCapture
{
public:
    OutputCapture();
    ~OutputCapture();

    // Stops capturing (once) and returns what each stream received.
    const std::string& out();
    const std::string& err();
    std::vector<std::string> outLines();
    std::vector<std::string> errLines();

private:
    void finish();

    int savedOut;
    int savedErr;
    int outFile;
    int errFile;
    bool finished;
    std::string outText;
    std::string errText;
};

std::vector<std::string> splitLines(const std::string& text);

#endif
