#include "content/lzw_codec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

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
// counts every input byte it takes.
class CodeReader {
public:
    CodeReader(const uint8_t* input, int32_t size) : input_(input), size_(size) {}

    bool read(uint32_t width, uint32_t& code) {
        while (bits_ < width && position_ < size_) {
            bitBuffer_ = (bitBuffer_ << 8) | input_[position_++];
            bits_ += 8;
        }
        counters.inputConsumed = position_;
        if (bits_ < width) return false;
        bits_ -= width;
        code = uint32_t((bitBuffer_ >> bits_) & ((uint64_t(1) << width) - 1));
        return true;
    }

private:
    const uint8_t* input_;
    int32_t size_;
    int32_t position_ = 0;
    uint64_t bitBuffer_ = 0;  // the low bits_ bits are still unread
    uint32_t bits_ = 0;
};

// Appends codes most significant bit first; a byte is stored as soon as it
// is full, the last partial byte is padded with zero bits by finish().
class CodeWriter {
public:
    explicit CodeWriter(uint8_t* output) : output_(output) {}

    int32_t put(uint32_t value, uint32_t width) {
        if (width > MaxWidth) return LzwErrWrite;
        bitBuffer_ = (bitBuffer_ << width) | (value & ((uint64_t(1) << width) - 1));
        bits_ += width;
        while (bits_ >= 8) {
            bits_ -= 8;
            if (!store(uint8_t(bitBuffer_ >> bits_))) return LzwErrTooLarge;
        }
        return LzwOk;
    }

    int32_t finish() {
        if (bits_ > 0 && !store(uint8_t(bitBuffer_ << (8 - bits_)))) return LzwErrTooLarge;
        bits_ = 0;
        return LzwOk;
    }

    int32_t length() const { return length_; }

private:
    bool store(uint8_t byte) {
        if (length_ >= LzwEncodeCapacity) return false;
        output_[length_++] = byte;
        return true;
    }

    uint8_t* output_;
    int32_t length_ = 0;
    uint64_t bitBuffer_ = 0;  // the low bits_ bits are not stored yet
    uint32_t bits_ = 0;
};

// ---------------------------------------------------------------------------
// Decoding. Every entry holds its whole string; the strings of the current
// dictionary generation live one after another in a pool. currentString is
// the string of the previous code: it points into the pool, or into its own
// buffer once a reset has given the pool over to the next generation.

struct DecodeEntry {
    uint32_t offset;
    uint32_t length;
};

// A generation's strings are each one byte longer than a string that was
// then written out, so any stream that fits the output stays below this.
constexpr std::size_t PoolLimit = 256 + LzwDecodeCapacity + 2 * DictionarySize + MaxStringLength;

// Left uninitialised on purpose: only entries below nextCode are ever read.
struct DecodeState {
    LzwBuffer pool;  // PoolLimit bytes: literal bytes 0..255 first, then built strings
    std::size_t poolSize = 0;
    std::array<DecodeEntry, DictionarySize> entries;
    std::array<uint8_t, MaxStringLength> keptString;  // currentString across a reset
    const uint8_t* current = nullptr;
    std::size_t currentLength = 0;
    uint32_t nextCode = LzwFirstFree;
};

int32_t initDecodeState(DecodeState& state) {
    state.pool.reset(new (std::nothrow) uint8_t[PoolLimit]);
    if (!state.pool) return LzwErrMemory;
    for (uint32_t byte = 0; byte < 256; ++byte) {
        state.pool[byte] = uint8_t(byte);
        state.entries[byte] = {byte, 1};
    }
    state.poolSize = 256;
    state.nextCode = LzwFirstFree;
    return LzwOk;
}

void resetDecodeDictionary(DecodeState& state) {
    // currentLength never exceeds MaxStringLength (see addDecodeEntry).
    if (state.current != state.keptString.data()) {
        std::memcpy(state.keptString.data(), state.current, state.currentLength);
        state.current = state.keptString.data();
    }
    state.poolSize = 256;
    state.nextCode = LzwFirstFree;
}

// Stores currentString + lastByte as entry nextCode.
int32_t addDecodeEntry(DecodeState& state, uint8_t lastByte) {
    std::size_t length = state.currentLength + 1;
    if (length > std::size_t(MaxStringLength)) return LzwErrTooLarge;
    if (state.poolSize + length > PoolLimit) return LzwErrTooLarge;
    uint8_t* bytes = state.pool.get() + state.poolSize;
    std::memcpy(bytes, state.current, length - 1);
    bytes[length - 1] = lastByte;
    state.entries[state.nextCode++] = {uint32_t(state.poolSize), uint32_t(length)};
    state.poolSize += length;
    return LzwOk;
}

int32_t decodeStream(const uint8_t* input, int32_t inputSize, DecodeState& state, uint8_t* output,
                     int32_t& written) {
    if (inputSize > LzwMaxInput) return LzwErrTooLarge;
    CodeReader reader(input, std::max(inputSize, 0));

    uint32_t code = 0;
    if (!reader.read(StartWidth, code)) return LzwErrNoData;
    if (code > 255) return LzwErrBadCode;
    state.current = state.pool.get() + code;
    state.currentLength = 1;

    auto appendCurrent = [&]() {
        if (state.currentLength > std::size_t(LzwDecodeCapacity - written)) return false;
        std::memcpy(output + written, state.current, state.currentLength);
        written += int32_t(state.currentLength);
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

        uint8_t firstByte = code == state.nextCode ? state.current[0]
                                                   : state.pool[state.entries[code].offset];
        if (int32_t result = addDecodeEntry(state, firstByte)) return result;
        if (!appendCurrent()) return LzwErrTooLarge;

        const DecodeEntry& entry = state.entries[code];
        state.current = state.pool.get() + entry.offset;
        state.currentLength = entry.length;
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

// The slot that holds `key`, or the empty slot where it would go.
uint32_t findSlot(const EncodeState& state, uint32_t key) {
    uint32_t slot = slotOf(key);
    while (state.keys[slot] != EmptySlot && state.keys[slot] != key) slot = (slot + 1) % HashSlots;
    return slot;
}

void insertCode(EncodeState& state, uint32_t key, uint32_t code) {
    uint32_t slot = findSlot(state, key);
    state.keys[slot] = key;
    state.codes[slot] = uint16_t(code);
}

void clearEncodeDictionary(EncodeState& state) {
    state.keys.fill(EmptySlot);
    state.nextCode = LzwFirstFree;
    state.orphanPending = false;
}

// Adds input[start, start + length) as entry nextCode; `slot` is the empty
// slot its key (prefix code, last byte) was just looked up in.
void addEncodeEntry(EncodeState& state, const uint8_t* input, int32_t start, int32_t length,
                    uint32_t key, uint32_t slot) {
    uint32_t code = state.nextCode++;
    state.keys[slot] = key;
    state.codes[slot] = uint16_t(code);
    if (state.orphanPending && length == state.orphanPrefixLength &&
        std::memcmp(input + start, input + state.orphanPrefixStart, std::size_t(length)) == 0) {
        insertCode(state, keyOf(code, state.orphanLastByte), LzwFirstFree);
        state.orphanPending = false;
    }
}

int32_t putWidened(CodeWriter& writer, uint32_t code, uint32_t& width) {
    while ((uint64_t(code) >> width) != 0) {
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
        uint32_t key = keyOf(currentCode, byte);
        uint32_t slot = findSlot(state, key);
        if (state.keys[slot] == key) {
            currentCode = state.codes[slot];
            continue;
        }
        int32_t candidateLength = position - start;
        if (candidateLength > MaxStringLength) return LzwErrTooLarge;
        addEncodeEntry(state, input, start, candidateLength, key, slot);
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
