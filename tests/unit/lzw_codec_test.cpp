#include "content/lzw_codec.h"
#include "tests/fuzz/lzw_plain_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct Encoded {
    int32_t result = 0;
    int32_t length = 0;
    Bytes stream;  // the code stream bytes (length - 1 of them)
};

Encoded encode(const Bytes& input) {
    LzwBuffer buffer;
    Encoded out;
    out.result = lzwEncode(input.data(), int32_t(input.size()), buffer, out.length);
    if (buffer && out.length >= 1) out.stream.assign(buffer.get(), buffer.get() + out.length - 1);
    return out;
}

struct Decoded {
    int32_t result = 0;
    int32_t length = 0;
    Bytes bytes;  // the bytes written (length - 2 of them)
};

Decoded decode(const Bytes& stream) {
    LzwBuffer buffer;
    Decoded out;
    out.result = lzwDecode(stream.data(), int32_t(stream.size()), buffer, out.length);
    if (buffer && out.length >= 2) out.bytes.assign(buffer.get(), buffer.get() + out.length - 2);
    return out;
}

// Builds code streams by hand, widening as a decoder would need it.
struct StreamWriter {
    Bytes out;
    uint8_t pending = 0;
    int pendingBits = 0;
    uint32_t width = 9;

    void put(uint32_t value, uint32_t bits) {
        for (uint32_t bit = bits; bit-- > 0;) {
            pending = uint8_t(pending | (((uint64_t(value) >> bit) & 1) << (7 - pendingBits)));
            if (++pendingBits == 8) {
                out.push_back(pending);
                pending = 0;
                pendingBits = 0;
            }
        }
    }
    void code(uint32_t value) {
        while (uint64_t(value) >> width) {
            put(257, width);
            ++width;
        }
        put(value, width);
    }
    void widen() { put(257, width++); }
    void reset() {
        put(258, width);
        width = 9;
    }
    Bytes finish() {
        Bytes result = out;
        if (pendingBits) result.push_back(pending);
        return result;
    }
};

struct StreamCode {
    uint32_t code;
    uint32_t width;
};

// Lists the codes of a stream up to and including the end code.
std::vector<StreamCode> codesOf(const Bytes& stream) {
    std::vector<StreamCode> codes;
    uint64_t bit = 0;
    uint32_t width = 9;
    while (bit + width <= stream.size() * 8) {
        uint32_t value = 0;
        for (uint32_t i = 0; i < width; ++i, ++bit) value = (value << 1) | ((stream[bit / 8] >> (7 - bit % 8)) & 1);
        codes.push_back({value, width});
        if (value == 256) break;
        if (value == 257) ++width;
        if (value == 258) width = 9;
    }
    return codes;
}

Bytes randomBytes(std::size_t size, uint32_t seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, alphabet - 1);
    Bytes bytes(size);
    for (auto& b : bytes) b = uint8_t(pick(rng));
    return bytes;
}

std::string frenchText(std::size_t size) {
    static const char* const words[] = {
        "le", "la", "les", "un", "une", "de", "du", "et", "est", "quiz", "question", "r\xE9ponse",
        "capitale", "fleuve", "montagne", "ch\xE2teau", "\xE9t\xE9", "hiver", "o\xF9", "qui", "quel",
        "pays", "France", "Paris", "Lyon", "Marseille", "roi", "reine", "si\xE8" "cle", "guerre",
        "peintre", "tableau", "mus\xE9" "e", "livre", "auteur", "chanson", "ann\xE9" "e", "premier"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
    std::string text;
    while (text.size() < size) {
        text += words[pick(rng)];
        text += (rng() % 9 == 0) ? ". " : " ";
    }
    text.resize(size);
    return text;
}

// ---------------------------------------------------------------------------

struct Example {
    const char* name;
    Bytes input;
    Bytes stream;
};

TEST(LzwCodec, EncodesAndDecodesTheKnownExamples) {
    const Example examples[] = {
        {"abc", bytesOf("abc"), {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"one byte", bytesOf("A"), {0x20, 0xC0, 0x00}},
        {"code equal to nextCode", bytesOf("aaaa"), {0x30, 0xC0, 0xCC, 0x30, 0x00}},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(example.name);
        Encoded encoded = encode(example.input);
        EXPECT_EQ(encoded.result, LzwOk);
        EXPECT_EQ(encoded.stream, example.stream);
        EXPECT_EQ(encoded.length, int32_t(example.stream.size()) + 1);
        EXPECT_EQ(lzwEncodeOutputSize(), int32_t(example.stream.size()));

        Decoded decoded = decode(example.stream);
        EXPECT_EQ(decoded.result, LzwOk);
        EXPECT_EQ(decoded.bytes, example.input);
        EXPECT_EQ(decoded.length, int32_t(example.input.size()) + 2);
    }
    EXPECT_EQ(codesOf({0x30, 0xC0, 0xCC, 0x30, 0x00}).at(1).code, 259u);
}

TEST(LzwCodec, MatchesThePlainEncoderOnEveryKindOfInput) {
    struct Case {
        const char* name;
        Bytes input;
    };
    std::string french = frenchText(30000);
    std::vector<Case> cases = {
        {"random", randomBytes(10000, 1)},
        {"small alphabet", randomBytes(30000, 2, 3)},
        {"two letters", randomBytes(30000, 3, 2)},
        {"four letters", randomBytes(30000, 4, 4)},
        {"one byte repeated", Bytes(65535, 'z')},
        {"french text", Bytes(french.begin(), french.end())},
        {"periodic", {}},
    };
    for (int i = 0; i < 50000; ++i) cases.back().input.push_back(uint8_t("abcabdabcaac"[i % 12]));
    for (uint32_t seed = 10; seed < 16; ++seed) {
        cases.push_back({"random small alphabet", randomBytes(12000 + seed * 500, seed, 2 + seed % 7)});
    }

    bool sawOrphanMatch = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReferenceEncoder reference;
        Bytes expected = reference.run(c.input);
        sawOrphanMatch = sawOrphanMatch || reference.matchedOrphan;
        Encoded encoded = encode(c.input);
        if (expected.size() > LzwEncodeCapacity) {
            EXPECT_EQ(encoded.result, LzwErrTooLarge);
            continue;
        }
        ASSERT_EQ(encoded.result, LzwOk);
        EXPECT_EQ(encoded.stream, expected);
        Decoded decoded = decode(encoded.stream);
        ASSERT_EQ(decoded.result, LzwOk);
        EXPECT_EQ(decoded.bytes, c.input);
    }
    // Entry 259 after a reset, matched once its prefix joined the new table.
    EXPECT_TRUE(sawOrphanMatch);
}

TEST(LzwCodec, WidensBeforeTheFinalCodeAndWritesTheEndCodeAtTheNewWidth) {
    // 'a' repeated 1 + 2 + ... + 255 times is written as the strings of
    // length 1 to 255, i.e. the codes 97, 259, ..., 511, 512: the last code
    // is the first one above 511.
    Bytes input(255 * 256 / 2, 'a');
    auto codes = codesOf(encode(input).stream);
    ASSERT_GE(codes.size(), 3u);
    const StreamCode& widen = codes[codes.size() - 3];
    const StreamCode& last = codes[codes.size() - 2];
    const StreamCode& end = codes.back();
    EXPECT_EQ(widen.code, unsigned(LzwCodeWiden));
    EXPECT_EQ(widen.width, 9u);
    EXPECT_LE(last.code, 1023u);
    EXPECT_EQ(last.width, 10u);
    EXPECT_EQ(end.code, unsigned(LzwCodeEnd));
    EXPECT_EQ(end.width, 10u);
    EXPECT_EQ(decode(encode(input).stream).bytes, input);
}

TEST(LzwCodec, FillsTheDictionaryWidensToTwelveBitsAndResets) {
    Bytes input = randomBytes(20000, 5, 16);
    Encoded encoded = encode(input);
    ASSERT_EQ(encoded.result, LzwOk);
    auto codes = codesOf(encoded.stream);

    int resets = 0;
    uint32_t widest = 0;
    uint32_t largest = 0;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        widest = std::max(widest, codes[i].width);
        if (codes[i].code < 256 || codes[i].code > 258) largest = std::max(largest, codes[i].code);
        if (codes[i].code == LzwCodeReset) {
            ++resets;
            EXPECT_EQ(codes[i].width, 12u);
            ASSERT_LT(i + 1, codes.size());
            EXPECT_EQ(codes[i + 1].width, 9u);
        }
    }
    EXPECT_GE(resets, 2);
    EXPECT_EQ(widest, 12u);
    EXPECT_LE(largest, 4094u);
    EXPECT_EQ(decode(encoded.stream).bytes, input);
}

TEST(LzwCodec, DecodeIgnoresBytesAfterTheEndCode) {
    Bytes stream = {0x30, 0x98, 0x8C, 0x70, 0x00, 0xFF, 0x12, 0x34};
    Decoded decoded = decode(stream);
    EXPECT_EQ(decoded.result, LzwOk);
    EXPECT_EQ(decoded.bytes, bytesOf("abc"));
    EXPECT_EQ(lzwInputSize(), 8);
    EXPECT_EQ(lzwInputConsumed(), 5);
}

TEST(LzwCodec, DecodeAcceptsWidthsUpToThirtyTwoBits) {
    StreamWriter w;
    w.code('x');
    while (w.width < 32) w.widen();
    w.code('y');
    w.code(LzwCodeEnd);
    Decoded decoded = decode(w.finish());
    EXPECT_EQ(decoded.result, LzwOk);
    EXPECT_EQ(decoded.bytes, bytesOf("xy"));
}

TEST(LzwCodec, DecodeCarriesTheLastStringAcrossResets) {
    struct Case {
        const char* name;
        std::vector<int> codes;  // -1: reset
        std::string output;
    };
    const Case cases[] = {
        {"two resets in a row", {'a', 'b', 'c', -1, -1, 259, 256}, "abccc"},
        // After the reset, 259 is "aab" + "a", built from the old generation's
        // string where the new generation starts to store its own.
        {"string of the old generation", {'a', 259, 'b', 260, -1, 259, 'z', 260, 256},
         "aaabaabaabazaabaz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StreamWriter w;
        for (int code : c.codes) {
            if (code < 0) {
                w.reset();
            } else {
                w.code(uint32_t(code));
            }
        }
        Decoded decoded = decode(w.finish());
        EXPECT_EQ(decoded.result, LzwOk);
        EXPECT_EQ(decoded.bytes, bytesOf(c.output));
    }
}

Bytes streamFillingTheTable(int literals) {
    StreamWriter w;
    w.code('a');
    for (int i = 0; i < literals; ++i) w.code('b');
    w.code(LzwCodeEnd);
    return w.finish();
}

TEST(LzwCodec, DecodeRejectsMalformedStreams) {
    StreamWriter tooWide;
    tooWide.code('a');
    for (int i = 0; i < 24; ++i) tooWide.widen();

    StreamWriter aboveNext;
    aboveNext.code('a');
    aboveNext.code(260);  // nextCode is 259
    aboveNext.code(LzwCodeEnd);

    StreamWriter aboveNextAfterReset;
    aboveNextAfterReset.code('a');
    aboveNextAfterReset.code('b');
    aboveNextAfterReset.code('c');  // entries 259 and 260 exist
    aboveNextAfterReset.reset();
    aboveNextAfterReset.code(260);
    aboveNextAfterReset.code(LzwCodeEnd);

    StreamWriter firstCodeNotLiteral;
    firstCodeNotLiteral.code(300);
    firstCodeNotLiteral.code(LzwCodeEnd);

    StreamWriter firstCodeIsEnd;
    firstCodeIsEnd.code(LzwCodeEnd);
    firstCodeIsEnd.code(LzwCodeEnd);

    Bytes cut = encode(bytesOf("abcabcabc")).stream;
    cut.pop_back();
    cut.pop_back();

    struct Case {
        const char* name;
        Bytes stream;
        int32_t result;
    };
    const Case cases[] = {
        {"empty", {}, LzwErrNoData},
        {"one byte", {0x30}, LzwErrNoData},
        {"first code only", {0x30, 0x80}, LzwErrBadCode},
        {"cut before the end code", cut, LzwErrBadCode},
        {"code above nextCode", aboveNext.finish(), LzwErrBadCode},
        {"code above nextCode after a reset", aboveNextAfterReset.finish(), LzwErrBadCode},
        {"width over 32", tooWide.finish(), LzwErrBadCode},
        {"first code 256 or above", firstCodeNotLiteral.finish(), LzwErrBadCode},
        {"first code is the end code", firstCodeIsEnd.finish(), LzwErrBadCode},
        {"a 4097th entry", streamFillingTheTable(3838), LzwErrBadCode},
        {"a full table without reset", streamFillingTheTable(3837), LzwOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded decoded = decode(c.stream);
        EXPECT_EQ(decoded.result, c.result);
        EXPECT_GE(decoded.length, 2);  // the buffer is handed back
    }
}

TEST(LzwCodec, DecodeKeepsWhatItDecodedBeforeAnError) {
    Bytes cut = encode(bytesOf("abcdefgh")).stream;
    cut.resize(cut.size() - 2);
    Decoded decoded = decode(cut);
    EXPECT_EQ(decoded.result, LzwErrBadCode);
    EXPECT_EQ(decoded.bytes, bytesOf("abcdefg"));  // each string is written one code late
    EXPECT_EQ(lzwInputConsumed(), int32_t(cut.size()));
}

// Growing strings (each code is nextCode), then a literal and `ones`
// single-byte strings: the output is n(n+1)/2 + (n+1) + ones + 1 bytes.
Bytes streamDecodingTo(int growth, int ones) {
    StreamWriter w;
    uint32_t nextCode = 259;
    auto emit = [&](uint32_t code) {
        if (nextCode == 4095) {
            w.reset();
            nextCode = 259;
        }
        w.code(code);
        ++nextCode;
    };
    w.code('a');
    for (int i = 0; i < growth; ++i) emit(nextCode);
    for (int i = 0; i <= ones; ++i) emit('b');
    w.code(LzwCodeEnd);
    return w.finish();
}

TEST(LzwCodec, DecodedResultIsLimitedToTheOutputBuffer) {
    const int growth = 480;
    const int fill = LzwDecodeCapacity - (growth * (growth + 1) / 2 + growth + 1 + 1);

    Decoded full = decode(streamDecodingTo(growth, fill));
    EXPECT_EQ(full.result, LzwOk);
    EXPECT_EQ(full.length, LzwDecodeCapacity + 2);

    Decoded over = decode(streamDecodingTo(growth, fill + 1));
    EXPECT_EQ(over.result, LzwErrTooLarge);
    EXPECT_EQ(over.length, LzwDecodeCapacity + 2);
    EXPECT_EQ(over.bytes, full.bytes);
}

TEST(LzwCodec, RefusesInputsOverTheirFixedSizes) {
    Bytes largest(LzwMaxInput, 'q');
    EXPECT_EQ(encode(largest).result, LzwOk);

    Bytes tooLong(LzwMaxInput + 1, 'q');
    Encoded encoded = encode(tooLong);
    EXPECT_EQ(encoded.result, LzwErrTooLarge);
    EXPECT_EQ(lzwEncodeInputSize(), LzwMaxInput + 1);

    Bytes stream = encode(bytesOf("abc")).stream;
    stream.resize(LzwMaxInput + 1);  // zero bytes after the end code
    EXPECT_EQ(decode(stream).result, LzwErrTooLarge);
    stream.resize(LzwMaxInput);
    EXPECT_EQ(decode(stream).result, LzwOk);
}

TEST(LzwCodec, EncodedResultIsLimitedToTheOutputBuffer) {
    Bytes noise = randomBytes(40000, 9);
    Encoded encoded = encode(noise);
    EXPECT_EQ(encoded.result, LzwErrTooLarge);
    EXPECT_EQ(encoded.length, LzwEncodeCapacity + 1);
    EXPECT_LT(lzwInputConsumed(), int32_t(noise.size()));

    // What was written is the start of the full stream: the stream of a
    // shorter prefix of the same input agrees with it up to its last codes.
    Bytes start(noise.begin(), noise.begin() + 24000);
    Encoded fits = encode(start);
    ASSERT_EQ(fits.result, LzwOk);
    ASSERT_GT(fits.stream.size(), 20000u);
    EXPECT_TRUE(std::equal(fits.stream.begin(), fits.stream.end() - 4, encoded.stream.begin()));
}

TEST(LzwCodec, EncodeOfEmptyInputGivesNoData) {
    Encoded encoded = encode({});
    EXPECT_EQ(encoded.result, LzwErrNoData);
    EXPECT_EQ(encoded.length, 1);
}

TEST(LzwCodec, AccessorsDescribeTheLastCall) {
    Bytes input = bytesOf("abcabcabcabc");
    Encoded encoded = encode(input);
    ASSERT_EQ(encoded.result, LzwOk);
    EXPECT_EQ(lzwInputSize(), 12);
    EXPECT_EQ(lzwInputConsumed(), 12);
    EXPECT_EQ(lzwEncodeInputSize(), 12);
    EXPECT_EQ(lzwEncodeOutputSize(), int32_t(encoded.stream.size()));

    Bytes stream = encoded.stream;
    stream.push_back(0xAA);
    decode(stream);
    EXPECT_EQ(lzwInputSize(), int32_t(stream.size()));
    EXPECT_EQ(lzwInputConsumed(), int32_t(encoded.stream.size()));
    EXPECT_EQ(lzwEncodeInputSize(), 12);  // decoding leaves the encode counters alone
    EXPECT_EQ(lzwEncodeOutputSize(), int32_t(encoded.stream.size()));

    encode({});  // a failed encode keeps the last output size
    EXPECT_EQ(lzwEncodeInputSize(), 0);
    EXPECT_EQ(lzwInputConsumed(), 0);
    EXPECT_EQ(lzwEncodeOutputSize(), int32_t(encoded.stream.size()));
}

TEST(LzwCodec, RoundTripsEveryByteValueAndEveryLength) {
    for (std::size_t size = 1; size < 600; size += 37) {
        for (uint32_t seed = 0; seed < 4; ++seed) {
            Bytes input = randomBytes(size, seed * 1000 + uint32_t(size), seed == 0 ? 256 : 2 + int(seed));
            Encoded encoded = encode(input);
            ASSERT_EQ(encoded.result, LzwOk);
            Decoded decoded = decode(encoded.stream);
            ASSERT_EQ(decoded.result, LzwOk);
            EXPECT_EQ(decoded.bytes, input);
            EXPECT_EQ(decoded.length, int32_t(size) + 2);
        }
    }
}

}  // namespace
