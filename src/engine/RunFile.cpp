#include "RunFile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "RegularFile.h"
#include "RunCompression.h"
#include "RunStream.h"

namespace {

const char kFormatName[] = "torvane-run";
// The header's lines together are far shorter than this, the longest caption included.
const size_t kHeaderMax = 1024;
const size_t kProgramMax = 200;
const size_t kFileMax = kHeaderMax + kRunBodyMax;

uint32_t crc32(const std::string& bytes)
{
    static uint32_t table[256];
    if (table[1] == 0)
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    uint32_t crc = 0xffffffffu;
    for (const char b : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

// A whole decimal number within [low, high]: digits only, a minus sign where low allows it.
bool parseDecimal(const std::string& text, int64_t low, int64_t high, int64_t& value)
{
    const bool negative = !text.empty() && text[0] == '-' && low < 0;
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoll(digits) * (negative ? -1 : 1);
    return value >= low && value <= high;
}

// The header's lines, one by one; a header that runs on without a line end is cut short or damaged.
class HeaderReader
{
public:
    explicit HeaderReader(const std::string& bytes) : bytes(bytes) {}

    // The next line's words after the expected key; false when the line is not there or has another key.
    bool line(const char* key, std::string& rest)
    {
        const size_t end = bytes.find('\n', position);
        if (end == std::string::npos || end >= kHeaderMax) {
            cut = end == std::string::npos && bytes.size() < kHeaderMax;
            return false;
        }
        const std::string text = bytes.substr(position, end - position);
        position = end + 1;
        const size_t keyLength = strlen(key);
        if (text.compare(0, keyLength, key) != 0 || (text.size() > keyLength && text[keyLength] != ' '))
            return false;
        rest = text.size() > keyLength ? text.substr(keyLength + 1) : "";
        return true;
    }

    size_t end() const { return position; }
    bool cutShort() const { return cut; }

private:
    const std::string& bytes;
    size_t position = 0;
    bool cut = false;
};

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t space = text.find(' ', start);
        out.push_back(text.substr(start, space == std::string::npos ? std::string::npos : space - start));
        if (space == std::string::npos)
            break;
        start = space + 1;
    }
    return out;
}

struct BodyLine
{
    uint64_t packedSize = 0;
    uint64_t rawSize = 0;
    uint32_t sum = 0;
};

bool parseSeconds(const std::string& text, uint64_t& milliseconds)
{
    const size_t point = text.find('.');
    int64_t whole, thousandths;
    if (point == std::string::npos || text.size() - point != 4 ||
        !parseDecimal(text.substr(0, point), 0, INT64_C(1) << 40, whole) ||
        !parseDecimal(text.substr(point + 1), 0, 999, thousandths))
        return false;
    milliseconds = static_cast<uint64_t>(whole * 1000 + thousandths);
    return true;
}

bool parseFinal(const std::string& text, std::vector<int32_t>& numbers)
{
    numbers.clear();
    if (text.empty())
        return true;
    for (const std::string& word : words(text)) {
        int64_t value;
        if (numbers.size() == kRunNumbersMax || !parseDecimal(word, INT32_MIN, INT32_MAX, value))
            return false;
        numbers.push_back(static_cast<int32_t>(value));
    }
    return true;
}

bool parseBodyLine(const std::string& text, BodyLine& body)
{
    const std::vector<std::string> parts = words(text);
    int64_t packed, raw;
    if (parts.size() != 3 || parts[2].size() != 8 || parts[2].find_first_not_of("0123456789abcdef") != std::string::npos ||
        !parseDecimal(parts[0], 0, INT64_C(1) << 40, packed) || !parseDecimal(parts[1], 0, INT64_C(1) << 40, raw))
        return false;
    body.packedSize = static_cast<uint64_t>(packed);
    body.rawSize = static_cast<uint64_t>(raw);
    body.sum = static_cast<uint32_t>(std::stoul(parts[2], nullptr, 16));
    return true;
}

// The first line: what the file is and which version of the format.
bool parseFormatLine(const std::string& bytes, HeaderReader& lines, std::string& problem)
{
    const std::string start = std::string(kFormatName) + " ";
    if (bytes.compare(0, start.size(), start) != 0) {
        if (bytes.empty())
            problem = "is empty";
        else if (bytes.size() < start.size() && start.compare(0, bytes.size(), bytes) == 0)
            problem = "is cut short in its header";
        else
            problem = "is not a Torvane Quillet run";
        return false;
    }
    std::string version;
    if (!lines.line(kFormatName, version)) {
        problem = lines.cutShort() ? "is cut short in its header" : "has a damaged header (its first line)";
        return false;
    }
    int64_t number;
    if (!parseDecimal(version, 0, 999999, number)) {
        problem = "has a damaged header (its first line)";
        return false;
    }
    if (number != kRunFormatVersion) {
        problem = "is of format version " + version + "; this build reads version " + std::to_string(kRunFormatVersion);
        return false;
    }
    return true;
}

bool parseHeader(const std::string& bytes, HeaderReader& lines, RunHeader& header, BodyLine& body,
                 std::string& problem)
{
    if (!parseFormatLine(bytes, lines, problem))
        return false;
    std::string program, frames, seconds, final, bodyText;
    int64_t frameCount = 0;
    const bool read = lines.line("program", program) && !program.empty() && program == runProgramName(program) &&
                      lines.line("frames", frames) && parseDecimal(frames, 0, UINT32_MAX, frameCount) &&
                      lines.line("seconds", seconds) && parseSeconds(seconds, header.milliseconds) &&
                      lines.line("final", final) && parseFinal(final, header.finalNumbers) &&
                      lines.line("body", bodyText) && parseBodyLine(bodyText, body);
    if (!read) {
        problem = lines.cutShort() ? "is cut short in its header" : "has a damaged header";
        return false;
    }
    header.program = program;
    header.frames = static_cast<uint32_t>(frameCount);
    return true;
}

// Reads the body through: every item whole, the end marker last, and as many
// frames and milliseconds as the header says.
bool bodyAgreesWith(const RunHeader& header, const std::string& body)
{
    RunStreamReader reader(body);
    RunItem item;
    uint64_t frames = 0, milliseconds = 0;
    while (reader.next(item)) {
        if (item.type == RunItem::End)
            return reader.atEnd() && frames == header.frames && milliseconds == header.milliseconds;
        if (item.type == RunItem::Frame) {
            ++frames;
            milliseconds += item.milliseconds;
        }
    }
    return false;
}

bool parseBody(const std::string& bytes, size_t start, const BodyLine& line, const RunHeader& header,
               std::string& body, std::string& problem)
{
    if (line.packedSize > kRunBodyMax || line.rawSize > kRunBodyMax) {
        problem = "is too large: its body would take more than " + std::to_string(kRunBodyMax) + " bytes";
        return false;
    }
    const uint64_t present = bytes.size() - start;
    if (present < line.packedSize) {
        problem = "is cut short: its body holds " + std::to_string(present) + " of " + std::to_string(line.packedSize) +
                  " bytes";
        return false;
    }
    if (present > line.packedSize) {
        problem = "is damaged: more follows its body than its header says";
        return false;
    }
    const std::string packed = bytes.substr(start);
    if (crc32(packed) != line.sum) {
        problem = "is damaged: its body does not match its check sum";
        return false;
    }
    body = unpackRunBody(packed, line.rawSize);
    if (!bodyAgreesWith(header, body)) {
        problem = "is damaged: its frames do not read back as its header says";
        return false;
    }
    return true;
}

bool readAll(int descriptor, std::string& bytes, size_t size)
{
    errno = 0;
    bytes.resize(size);
    size_t done = 0;
    while (done < size) {
        const ssize_t count = read(descriptor, &bytes[done], size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        done += static_cast<size_t>(count);
    }
    bytes.resize(done);
    return done == size;
}

} // namespace

std::string runProgramName(const std::string& caption)
{
    std::string line = caption.substr(0, kProgramMax);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return line;
}

std::string runFileBytes(const RunHeader& header, const std::string& body)
{
    const std::string packed = packRunBody(body);
    std::string final;
    for (const int32_t value : header.finalNumbers)
        final += " " + std::to_string(value);
    char text[kHeaderMax];
    snprintf(text, sizeof text,
             "%s %d\nprogram %s\nframes %" PRIu32 "\nseconds %" PRIu64 ".%03u\nfinal%s\nbody %zu %zu %08" PRIx32 "\n",
             kFormatName, kRunFormatVersion, runProgramName(header.program).c_str(), header.frames,
             header.milliseconds / 1000, static_cast<unsigned>(header.milliseconds % 1000), final.c_str(),
             packed.size(), body.size(), crc32(packed));
    return text + packed;
}

bool parseRunFile(const std::string& bytes, RunHeader& header, std::string& body, std::string& problem)
{
    HeaderReader lines(bytes);
    BodyLine line;
    return parseHeader(bytes, lines, header, line, problem) && parseBody(bytes, lines.end(), line, header, body, problem);
}

bool readRunFile(const char* path, RunHeader& header, std::string& body, std::string& problem)
{
    const int descriptor = openRegularFile(path);
    if (descriptor < 0) {
        // EINVAL: there, but a FIFO, a device or the like, which is never opened.
        problem = errno == EINVAL ? "is no regular file" : std::string("cannot be opened (") + strerror(errno) + ")";
        return false;
    }
    struct stat info;
    std::string bytes;
    bool read = false;
    if (fstat(descriptor, &info) != 0) {
        problem = std::string("cannot be read (") + strerror(errno) + ")";
    } else if (static_cast<uint64_t>(info.st_size) > kFileMax) {
        problem = "is too large for a run (" + std::to_string(info.st_size) + " bytes; at most " +
                  std::to_string(kFileMax) + ")";
    } else if (!readAll(descriptor, bytes, static_cast<size_t>(info.st_size))) {
        problem = std::string("cannot be read whole (") + (errno != 0 ? strerror(errno) : "it shrank") + ")";
    } else {
        read = true;
    }
    close(descriptor);
    return read && parseRunFile(bytes, header, body, problem);
}
