#ifndef TORVANE_RUNCOMPRESSION_H
#define TORVANE_RUNCOMPRESSION_H

// How a run's body is packed: an adaptive binary arithmetic coder of our own,
// one implementation for every build, since the browser's toolchain has no
// zlib. Each byte is coded bit by bit, and every bit is predicted from the two
// bytes before it: a run repeats short patterns (a frame time, an empty poll),
// which then cost a small fraction of a bit. Internal to the engine.

#include <cstddef>
#include <string>

// The packed form of raw; any bytes at all, the empty string too.
std::string packRunBody(const std::string& raw);

// The rawSize bytes that packed holds. Packed bytes that were changed unpack
// to other bytes: a run checks its body's sum before it unpacks it.
std::string unpackRunBody(const std::string& packed, size_t rawSize);

#endif
