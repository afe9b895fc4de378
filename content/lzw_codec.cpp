#include "content/lzw_codec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

// One codec context for the whole process: set up afresh by every call, its
// work buffers released before the call returns; only the counters survive
// for the accessors.

namespace {

constexpr uint32_t DictionarySize = 4096;
constexpr uint32_t StartWidth = 9;
constexpr uint32_t MaxWidth = 32;
constexpr int32_t MaxStringLength = 4096;  // size of the string buffers

struct Counters {
    int32_t inputSize = 0;
    int32_t inputConsumed = 0;
    int32_t encodeInputSize = 0;
    int32_t encodeOutputSize = 0;
};

Counters counters;
void (*outOfMemoryHandler)() = nullptr;

void reportOutOfMemory() {
    if (outOfMemoryHandler) outOfMemoryHandler();
}

// Reads codes of any width up to 32 bits, most significant bit first, and
// counts every input byte it touches.
class CodeReader {
public:
    CodeReader(const uint8_t* input, int32_t size) : input_(input), bitCount_(uint64_t(size) * 8) {}

    bool read(uint32_t width, uint32_t& code) {
        if (bitPosition_ + width > bitCount_) {
            counters.inputConsumed = int32_t(bitCount_ / 8);
            return false;
        }
        uint64_t value = 0;
        uint64_t position = bitPosition_;
        uint32_t remaining = width;
        while (remaining > 0) {
            uint32_t offset = uint32_t(position % 8);
            uint32_t take = std::min(remaining, 8 - offset);
            uint32_t byte = input_[position / 8];
            uint32_t bits = (byte >> (8 - offset - take)) & ((1u << take) - 1);
            value = (value << take) | bits;
            position += take;
            remaining -= take;
        }
        bitPosition_ = position;
        counters.inputConsumed = int32_t((bitPosition_ + 7) / 8);
        code = uint32_t(value);
        return true;
    }

private:
    const uint8_t* input_;
    uint64_t bitCount_;
    uint64_t bitPosition_ = 0;
};

// Appends codes most significant bit first; a byte is stored as soon as it
// is full, the last partial byte is padded with zero bits by finish().
class CodeWriter {
public:
    explicit CodeWriter(uint8_t* output) : output_(output) {}

    int32_t put(uint32_t value, uint32_t width) {
        if (width > MaxWidth) return LzwErrWrite;
        for (uint32_t bit = width; bit-- > 0;) {
            pending_ = uint8_t(pending_ | (((value >> bit) & 1u) << (7 - pendingBits_)));
            if (++pendingBits_ == 8) {
                if (!store()) return LzwErrTooLarge;
            }
        }
        return LzwOk;
    }

    int32_t finish() {
        if (pendingBits_ > 0 && !store()) return LzwErrTooLarge;
        return LzwOk;
    }

    int32_t length() const { return length_; }

private:
    bool store() {
        if (length_ >= LzwEncodeCapacity) return false;
        output_[length_++] = pending_;
        pending_ = 0;
        pendingBits_ = 0;
        return true;
    }

    uint8_t* output_;
    int32_t length_ = 0;
    uint8_t pending_ = 0;
    uint32_t pendingBits_ = 0;
};

// ---------------------------------------------------------------------------
// Decoding. Every entry holds its whole string; the strings of the current
// dictionary generation live one after another in a pool.

struct DecodeEntry {
    uint32_t offset;
    uint32_t length;
};

// A generation's strings are each one byte longer than a string that was
// then written out, so any stream that fits the output stays below this.
constexpr std::size_t PoolLimit = 256 + LzwDecodeCapacity + 2 * DictionarySize + MaxStringLength;
constexpr std::size_t PoolStart = 16 * 1024;

// Left uninitialised on purpose: only entries below nextCode are ever read.
struct DecodeState {
    std::vector<uint8_t> pool;  // literal bytes 0..255 first, then built strings
    std::array<DecodeEntry, DictionarySize> entries;
    std::array<uint8_t, MaxStringLength> current;
    int32_t currentLength = 0;
    uint32_t nextCode = LzwFirstFree;
};

void resetDecodeDictionary(DecodeState& state) {
    state.pool.resize(256);
    state.nextCode = LzwFirstFree;
}

int32_t initDecodeState(DecodeState& state) {
    try {
        state.pool.reserve(PoolStart);
        state.pool.resize(256);
    } catch (const std::bad_alloc&) {
        return LzwErrMemory;
    }
    for (uint32_t byte = 0; byte < 256; ++byte) {
        state.pool[byte] = uint8_t(byte);
        state.entries[byte] = {byte, 1};
    }
    return LzwOk;
}

// Stores current + lastByte as entry nextCode.
int32_t addDecodeEntry(DecodeState& state, uint8_t lastByte) {
    std::size_t length = std::size_t(state.currentLength) + 1;
    if (state.pool.size() + length > PoolLimit) return LzwErrTooLarge;
    DecodeEntry added{uint32_t(state.pool.size()), uint32_t(length)};
    try {
        state.pool.insert(state.pool.end(), state.current.begin(),
                          state.current.begin() + state.currentLength);
        state.pool.push_back(lastByte);
    } catch (const std::bad_alloc&) {
        return LzwErrMemory;
    }
    state.entries[state.nextCode++] = added;
    return LzwOk;
}

int32_t decodeStream(const uint8_t* input, int32_t inputSize, DecodeState& state, uint8_t* output,
                     int32_t& written) {
    if (inputSize > LzwMaxInput) return LzwErrTooLarge;
    CodeReader reader(input, std::max(inputSize, 0));

    uint32_t code = 0;
    if (!reader.read(StartWidth, code)) return LzwErrNoData;
    if (code > 255) return LzwErrBadCode;
    state.current[0] = uint8_t(code);
    state.currentLength = 1;

    auto appendCurrent = [&]() {
        if (state.currentLength > LzwDecodeCapacity - written) return false;
        std::memcpy(output + written, state.current.data(), std::size_t(state.currentLength));
        written += state.currentLength;
        return true;
    };

    uint32_t width = StartWidth;
    for (;;) {
        if (!reader.read(width, code)) return LzwErrBadCode;
        if (code == LzwCodeEnd) return appendCurrent() ? LzwOk : LzwErrTooLarge;
        if (code == LzwCodeReset) {
            resetDecodeDictionary(state);
            width = StartWidth;
            continue;
        }
        if (code == LzwCodeWiden) {
            if (++width > MaxWidth) return LzwErrBadCode;
            continue;
        }
        if (code > state.nextCode) return LzwErrBadCode;
        if (state.nextCode >= DictionarySize) return LzwErrBadCode;  // a 4097th entry
        if (state.currentLength >= MaxStringLength) return LzwErrTooLarge;

        uint8_t firstByte = code == state.nextCode ? state.current[0]
                                                   : state.pool[state.entries[code].offset];
        if (int32_t result = addDecodeEntry(state, firstByte)) return result;

        if (!appendCurrent()) return LzwErrTooLarge;

        const DecodeEntry& entry = state.entries[code];
        std::memcpy(state.current.data(), state.pool.data() + entry.offset, entry.length);
        state.currentLength = int32_t(entry.length);
    }
}

// ---------------------------------------------------------------------------
// Encoding. The dictionary is a set of strings (no string is ever added
// twice within a generation), so a string is found through its longest
// proper prefix: a table from (prefix code, last byte) to code. The string
// being matched is always a slice of the input.

constexpr uint32_t HashSlots = 8192;  // twice the dictionary: short probes
constexpr uint32_t EmptySlot = 0xFFFFFFFFu;

struct EncodeState {
    std::array<uint32_t, HashSlots> keys;  // filled by clearEncodeDictionary
    std::array<uint16_t, HashSlots> codes;  // read only where a key is set
    uint32_t nextCode = LzwFirstFree;
    // After a reset, entry 259 is the string that filled the old table; its
    // prefix is usually not in the new table. It joins the table as soon as
    // an entry with that prefix's content is added.
    bool orphanPending = false;
    int32_t orphanPrefixStart = 0;
    int32_t orphanPrefixLength = 0;
    uint8_t orphanLastByte = 0;
};

uint32_t slotOf(uint32_t key) {
    return (key * 2654435761u) >> (32 - 13);  // 13 bits: HashSlots
}

uint32_t keyOf(uint32_t prefixCode, uint8_t byte) { return (prefixCode << 8) | byte; }

bool findCode(const EncodeState& state, uint32_t key, uint32_t& code) {
    for (uint32_t slot = slotOf(key);; slot = (slot + 1) % HashSlots) {
        if (state.keys[slot] == EmptySlot) return false;
        if (state.keys[slot] == key) {
            code = state.codes[slot];
            return true;
        }
    }
}

void insertCode(EncodeState& state, uint32_t key, uint32_t code) {
    uint32_t slot = slotOf(key);
    while (state.keys[slot] != EmptySlot) slot = (slot + 1) % HashSlots;
    state.keys[slot] = key;
    state.codes[slot] = uint16_t(code);
}

void clearEncodeDictionary(EncodeState& state) {
    state.keys.fill(EmptySlot);
    state.nextCode = LzwFirstFree;
    state.orphanPending = false;
}

// Adds input[start, start + length) whose prefix has code prefixCode.
void addEncodeEntry(EncodeState& state, const uint8_t* input, int32_t start, int32_t length,
                    uint32_t prefixCode) {
    uint32_t code = state.nextCode++;
    insertCode(state, keyOf(prefixCode, input[start + length - 1]), code);
    if (state.orphanPending && length == state.orphanPrefixLength &&
        std::memcmp(input + start, input + state.orphanPrefixStart, std::size_t(length)) == 0) {
        insertCode(state, keyOf(code, state.orphanLastByte), LzwFirstFree);
        state.orphanPending = false;
    }
}

int32_t putWidened(CodeWriter& writer, uint32_t code, uint32_t& width) {
    while (width <= MaxWidth && (uint64_t(code) >> width) != 0) {
        if (int32_t result = writer.put(LzwCodeWiden, width)) return result;
        ++width;
    }
    return writer.put(code, width);
}

int32_t encodeStream(const uint8_t* input, int32_t inputSize, EncodeState& state, CodeWriter& writer) {
    if (inputSize <= 0 || !input) return LzwErrNoData;
    if (inputSize > LzwMaxInput) return LzwErrTooLarge;

    clearEncodeDictionary(state);
    uint32_t width = StartWidth;
    int32_t start = 0;  // the matched string is input[start, position)
    uint32_t currentCode = input[0];
    int32_t position = 1;
    counters.inputConsumed = 1;

    while (position < inputSize) {
        uint8_t byte = input[position++];
        counters.inputConsumed = position;
        uint32_t found = 0;
        if (findCode(state, keyOf(currentCode, byte), found)) {
            currentCode = found;
            continue;
        }
        int32_t candidateLength = position - start;
        if (candidateLength > MaxStringLength) return LzwErrTooLarge;
        addEncodeEntry(state, input, start, candidateLength, currentCode);
        if (int32_t result = putWidened(writer, currentCode, width)) return result;

        int32_t candidateStart = start;
        start = position - 1;
        currentCode = byte;
        if (state.nextCode == DictionarySize) {
            if (int32_t result = writer.put(LzwCodeReset, width)) return result;
            clearEncodeDictionary(state);
            // The string that filled the table becomes entry 259 again.
            int32_t prefixLength = candidateLength - 1;
            if (prefixLength == 1) {
                insertCode(state, keyOf(input[candidateStart], byte), LzwFirstFree);
            } else {
                state.orphanPending = true;
                state.orphanPrefixStart = candidateStart;
                state.orphanPrefixLength = prefixLength;
                state.orphanLastByte = byte;
            }
            state.nextCode = LzwFirstFree + 1;
            width = StartWidth;
        }
    }
    if (int32_t result = putWidened(writer, currentCode, width)) return result;
    if (int32_t result = writer.put(LzwCodeEnd, width)) return result;
    return writer.finish();
}

template <typename T>
std::unique_ptr<T> makeState() {
    try {
        return std::unique_ptr<T>(new T);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The process-wide context: work buffers exist only during a call.
struct CodecContext {
    std::unique_ptr<DecodeState> decoding;
    std::unique_ptr<EncodeState> encoding;

    void release() {
        decoding.reset();
        encoding.reset();
    }
};

CodecContext context;

}  // namespace

int32_t lzwDecode(const uint8_t* input, int32_t inputSize, LzwBuffer& output, int32_t& outputLength) {
    context.release();
    context.decoding = makeState<DecodeState>();
    if (!context.decoding || initDecodeState(*context.decoding) != LzwOk) {
        context.release();
        return LzwErrMemory;
    }
    counters.inputSize = inputSize;
    counters.inputConsumed = 0;

    LzwBuffer buffer(new (std::nothrow) uint8_t[LzwDecodeCapacity]);
    if (!buffer) {
        reportOutOfMemory();
        context.release();
        return LzwErrMemory;
    }
    int32_t written = 0;
    int32_t result = decodeStream(input, input ? inputSize : 0, *context.decoding, buffer.get(), written);
    context.release();
    output = std::move(buffer);
    outputLength = written + 2;
    return result;
}

int32_t lzwEncode(const uint8_t* input, int32_t inputSize, LzwBuffer& output, int32_t& outputLength) {
    LzwBuffer buffer(new (std::nothrow) uint8_t[LzwEncodeCapacity]);
    if (!buffer) {
        reportOutOfMemory();
        return LzwErrMemory;
    }
    context.release();
    context.encoding = makeState<EncodeState>();
    if (!context.encoding) return LzwErrMemory;
    counters.inputSize = inputSize;
    counters.encodeInputSize = inputSize;
    counters.inputConsumed = 0;

    CodeWriter writer(buffer.get());
    int32_t result = encodeStream(input, inputSize, *context.encoding, writer);
    context.release();
    if (result == LzwOk) counters.encodeOutputSize = writer.length();
    output = std::move(buffer);
    outputLength = writer.length() + 1;
    return result;
}

int32_t lzwInputSize() { return counters.inputSize; }
int32_t lzwInputConsumed() { return counters.inputConsumed; }
int32_t lzwEncodeInputSize() { return counters.encodeInputSize; }
int32_t lzwEncodeOutputSize() { return counters.encodeOutputSize; }

void lzwSetOutOfMemoryHandler(void (*handler)()) { outOfMemoryHandler = handler; }
