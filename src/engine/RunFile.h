#ifndef TORVANE_RUNFILE_H
#define TORVANE_RUNFILE_H

// A run's file: a few lines of plain text that say what the run is, readable
// without replaying it, then the packed body (RunStream.h, RunCompression.h):
//
//   torvane-run 1
//   program Grubnosh
//   frames 3612
//   seconds 60.204
//   final 12 3 0 416
//   body 2048 7301 1c291ca3
//
// "program" is the window's caption when the first frame began; "seconds" the
// frame times added up; "final" the numbers the program handed in during the
// last frame (none when it handed in none); "body" the packed size, the
// unpacked size, and the CRC-32 of the packed bytes in eight hex digits. The
// packed bytes follow the body line's newline and end the file. Internal to the engine.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

const int kRunFormatVersion = 1;
// The most bytes a body may take, packed or not: some hours of play.
const size_t kRunBodyMax = size_t(16) << 20;

// What the header says of a run.
struct RunHeader
{
    std::string program;
    uint32_t frames = 0;
    uint64_t milliseconds = 0;
    std::vector<int32_t> finalNumbers;
};

// A caption as a run's header names the program: one line of printable bytes, 200 at most.
std::string runProgramName(const std::string& caption);

// The whole file for a run's body (which ends with its end marker).
std::string runFileBytes(const RunHeader& header, const std::string& body);

// Reads a run's file: true with the header and the unpacked body, which has
// been read through and agrees with the header; false with what is wrong in
// words that follow "it" ("is cut short: ...").
bool readRunFile(const char* path, RunHeader& header, std::string& body, std::string& problem);
bool parseRunFile(const std::string& bytes, RunHeader& header, std::string& body, std::string& problem);

#endif
