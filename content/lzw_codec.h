#pragma once
// The quiz content codec: LZW with in-band control codes, packed most
// significant bit first. Buffer to buffer: no files, no printing.
//
// Code stream: 0..255 literals, 256 end, 257 widen by one bit, 258 dictionary
// reset (back to 9 bits, next code 259), 259..4095 dictionary strings.

#include <cstdint>
#include <memory>

enum LzwResult : int32_t {
    LzwOk = 0,
    LzwErrMemory = -4,   // a buffer could not be allocated
    LzwErrNoData = -5,   // encode: empty input; decode: input ends before the first code
    LzwErrWrite = -6,    // encode: a code could not be written
    LzwErrBadCode = -7,  // decode: malformed stream
    LzwErrTooLarge = -8, // input, decoded result or encoded result over its fixed size
};

enum LzwCode : uint32_t {
    LzwCodeEnd = 256,
    LzwCodeWiden = 257,
    LzwCodeReset = 258,
    LzwFirstFree = 259,
};

constexpr int32_t LzwMaxInput = 65535;         // positions are 16-bit
constexpr int32_t LzwDecodeCapacity = 120000;  // decoder output buffer
constexpr int32_t LzwEncodeCapacity = 32768;   // encoder output buffer

using LzwBuffer = std::unique_ptr<uint8_t[]>;

// Decodes a code stream. On LzwOk, LzwErrNoData, LzwErrBadCode and
// LzwErrTooLarge the output buffer (LzwDecodeCapacity bytes) is handed back
// with outputLength = bytes written + 2; on an error it holds what was decoded
// before it. When the buffers cannot be set up (LzwErrMemory), output and
// outputLength are left alone.
// LzwErrBadCode also covers a first code that is not a literal and a stream
// that would add a 4097th dictionary entry; LzwErrTooLarge an input of more
// than LzwMaxInput bytes and a result of more than LzwDecodeCapacity bytes.
int32_t lzwDecode(const uint8_t* input, int32_t inputSize, LzwBuffer& output, int32_t& outputLength);

// Encodes bytes. The output buffer (LzwEncodeCapacity bytes) is handed back
// with outputLength = code stream bytes + 1 for every result but
// LzwErrMemory; lzwEncodeOutputSize() is exact. LzwErrTooLarge: an input of
// more than LzwMaxInput bytes, or a code stream of more than
// LzwEncodeCapacity bytes (the buffer then holds its first bytes).
int32_t lzwEncode(const uint8_t* input, int32_t inputSize, LzwBuffer& output, int32_t& outputLength);

// Counters left by the last call (one codec context per process: one call at
// a time). lzwEncodeOutputSize changes only when an encode succeeds;
// lzwEncodeInputSize only when one is made.
int32_t lzwInputSize();
int32_t lzwInputConsumed();
int32_t lzwEncodeInputSize();
int32_t lzwEncodeOutputSize();

// Called when an output buffer cannot be obtained, before the call fails with
// LzwErrMemory. The player installs one that tells the user; the default does
// nothing.
void lzwSetOutOfMemoryHandler(void (*handler)());
