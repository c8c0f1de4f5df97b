#include "RunCompression.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Probabilities are of a 1 bit, in 1/65536 steps. Each starts at a half and
// moves towards every bit seen in its context, by 2/3 of the way at first and
// by less each time, down to 2/123: it learns fast and then settles. It stays
// within 32 and 65504, so that no bit costs nothing or without bound.
const uint32_t kEven = 1u << 15;
const int kProbabilityBits = 16;
const int kLeast = 32;
const int kMost = 65536 - 32;
const int kSettledAfter = 60;
// The table grows with the body, up to 2^18 entries: a short run needs few.
const int kFewestContextBits = 12;
const int kMostContextBits = 18;
const uint32_t kTopByte = 0xff000000u;

struct Odds
{
    uint16_t probability;
    uint8_t seen;
};

// The odds of each bit of a byte given the two bytes before it: the pair and
// the bits of the byte so far (a node of a binary tree, 1 to 255) are hashed
// into one table, sized by the body's unpacked length.
class BitModel
{
public:
    explicit BitModel(size_t rawSize) : bits(kFewestContextBits)
    {
        while (bits < kMostContextBits && (size_t(1) << bits) < rawSize * 4)
            ++bits;
        odds.assign(size_t(1) << bits, Odds{static_cast<uint16_t>(kEven), 0});
    }

    Odds& at(uint32_t history, uint32_t node)
    {
        const uint32_t spread = (history * 2654435761u) >> (32 - bits);
        return odds[(spread ^ node) & ((1u << bits) - 1)];
    }

    static void learn(Odds& odds, int bit)
    {
        const int target = bit ? 65536 : 0;
        const int moved = odds.probability + (target - odds.probability) * 2 / (2 * odds.seen + 3);
        odds.probability = static_cast<uint16_t>(std::min(std::max(moved, kLeast), kMost));
        if (odds.seen < kSettledAfter)
            ++odds.seen;
    }

private:
    int bits;
    std::vector<Odds> odds;
};

// The coder's interval [low, high] of 32-bit numbers: a bit narrows it to the
// part its probability gives, and leading bytes the two ends agree on are settled.
struct Interval
{
    uint32_t low = 0;
    uint32_t high = 0xffffffffu;

    uint32_t split(uint32_t probability) const
    {
        return low + static_cast<uint32_t>((static_cast<uint64_t>(high - low) * probability) >> kProbabilityBits);
    }

    void narrow(int bit, uint32_t middle)
    {
        if (bit)
            high = middle;
        else
            low = middle + 1;
    }

    bool settled() const { return ((low ^ high) & kTopByte) == 0; }

    void shift()
    {
        low <<= 8;
        high = (high << 8) | 0xff;
    }
};

class Packer
{
public:
    void code(int bit, Odds& odds)
    {
        interval.narrow(bit, interval.split(odds.probability));
        BitModel::learn(odds, bit);
        while (interval.settled()) {
            out.push_back(static_cast<char>(interval.high >> 24));
            interval.shift();
        }
    }

    // All four bytes of the low end: the unpacker reads zeros past them, which
    // keeps its number inside the interval.
    std::string finish()
    {
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<char>(interval.low >> 24));
            interval.low <<= 8;
        }
        return out;
    }

private:
    Interval interval;
    std::string out;
};

class Unpacker
{
public:
    explicit Unpacker(const std::string& packed) : in(packed)
    {
        for (int i = 0; i < 4; ++i)
            number = (number << 8) | nextByte();
    }

    int code(Odds& odds)
    {
        const uint32_t middle = interval.split(odds.probability);
        const int bit = number <= middle ? 1 : 0;
        interval.narrow(bit, middle);
        BitModel::learn(odds, bit);
        while (interval.settled()) {
            interval.shift();
            number = (number << 8) | nextByte();
        }
        return bit;
    }

private:
    uint32_t nextByte() { return read < in.size() ? static_cast<unsigned char>(in[read++]) : 0; }

    const std::string& in;
    size_t read = 0;
    Interval interval;
    uint32_t number = 0;
};

} // namespace

std::string packRunBody(const std::string& raw)
{
    BitModel model(raw.size());
    Packer packer;
    uint32_t history = 0;
    for (const char c : raw) {
        const uint32_t byte = static_cast<unsigned char>(c);
        uint32_t node = 1;
        for (int i = 7; i >= 0; --i) {
            const int bit = (byte >> i) & 1;
            packer.code(bit, model.at(history, node));
            node = (node << 1) | bit;
        }
        history = ((history << 8) | byte) & 0xffff;
    }
    return packer.finish();
}

std::string unpackRunBody(const std::string& packed, size_t rawSize)
{
    BitModel model(rawSize);
    Unpacker unpacker(packed);
    std::string raw;
    raw.reserve(rawSize);
    uint32_t history = 0;
    while (raw.size() < rawSize) {
        uint32_t node = 1;
        while (node < 256)
            node = (node << 1) | unpacker.code(model.at(history, node));
        const uint32_t byte = node & 0xff;
        raw.push_back(static_cast<char>(byte));
        history = ((history << 8) | byte) & 0xffff;
    }
    return raw;
}
