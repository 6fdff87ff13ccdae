#include "cli/NameRun.h"

#include "apperror/AppError.h"
#include "cli/KanaUtf8.h"
#include "cli/OutputBuffer.h"
#include "cli/UniqueNames.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <future>
#include <span>
#include <string_view>
#include <vector>

namespace kanatsumugi {

namespace {

// The bytes of one kana or line end, padded to four so each is copied as one block.
struct Piece {
    std::array<char, 4> bytes{};
    std::size_t size = 0;
};

// Every kana has the same width in either encoding (three bytes in UTF-8, two in
// Shift-JIS), so a line's layout follows from its kana count alone.
struct LineEncoding {
    std::array<Piece, 61> kana;
    std::size_t kanaWidth = 0;
    Piece lineEnd;
};

Piece pieceOf(std::string_view bytes) {
    Piece piece;
    std::memcpy(piece.bytes.data(), bytes.data(), bytes.size());
    piece.size = bytes.size();
    return piece;
}

// UTF-8 with LF, or the stock file's own Shift-JIS with CR LF.
LineEncoding lineEncoding(const KanaTables& tables, OutputEncoding encoding) {
    LineEncoding result;
    for (int i = 0; i < tables.inventoryCount(); ++i) {
        result.kana.at(static_cast<std::size_t>(i)) =
            pieceOf(encoding == OutputEncoding::Utf8 ? kanaUtf8(i) : tables.kana(i));
    }
    result.kanaWidth = result.kana[0].size;
    for (const Piece& piece : result.kana) {
        if (piece.size != result.kanaWidth) {
            throw AppError("仮名の出力幅がそろっていません");
        }
    }
    result.lineEnd = pieceOf(encoding == OutputEncoding::Utf8 ? "\n" : "\r\n");
    return result;
}

constexpr std::size_t kMaxLineBytes = KanaIndexName::kCapacity * 4 + 4;

// Writes one line at `start` and returns its end. All nine slots are written
// whatever the name's length (the extra bytes lie past the line and are overwritten
// or ignored): a loop ending on the length would be mispredicted on almost every line.
char* encodeLine(const KanaIndexName& name, const LineEncoding& encoding, char* start) {
    const std::size_t width = encoding.kanaWidth;
#pragma GCC unroll 9
    for (std::size_t i = 0; i < KanaIndexName::kCapacity; ++i) {
        std::memcpy(start + i * width, encoding.kana[name.kana[i]].bytes.data(), 4);
    }
    char* const end = start + static_cast<std::size_t>(name.count) * width;
    std::memcpy(end, encoding.lineEnd.bytes.data(), 4);
    return end + encoding.lineEnd.size;
}

constexpr std::size_t kBatchSize = 4096;
constexpr std::size_t kBlockSize = std::size_t{1} << 18;

std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps) {
    return static_cast<std::uint32_t>((reading + steps) % kMillisecondsPerDay);
}

// Makes the names of `count` consecutive readings and encodes them at `out`, which
// has room for count * kMaxLineBytes bytes. Returns the number of bytes written.
std::size_t encodeReadings(const KanaTables& tables, const CliOptions& options,
                           const LineEncoding& encoding, std::uint32_t firstReading,
                           std::size_t count, char* out) {
    std::vector<KanaIndexName> batch(std::min(kBatchSize, count));
    char* p = out;
    for (std::size_t done = 0; done < count;) {
        const std::span<KanaIndexName> names(batch.data(), std::min(batch.size(), count - done));
        makeKanaIndexNames(tables, options.fixedLength, readingAfter(firstReading, done), names);
        for (const KanaIndexName& name : names) {
            p = encodeLine(name, encoding, p);
        }
        done += names.size();
    }
    return static_cast<std::size_t>(p - out);
}

// Every reading gives a line, so blocks are independent: a second thread makes
// every other block, which nearly halves a long run's time on two cores.
RunResult printAllNames(const KanaTables& tables, const CliOptions& options,
                        const LineEncoding& encoding, std::uint32_t startReading,
                        OutputBuffer& out) {
    const std::size_t blockBytes =
        std::min<std::uint64_t>(kBlockSize, options.count) * kMaxLineBytes;
    std::vector<char> first(blockBytes);
    std::vector<char> second(options.count > kBlockSize ? blockBytes : 0);
    RunResult result;
    std::uint32_t reading = startReading;
    while (result.printed < options.count && !out.closed()) {
        const std::uint64_t left = options.count - result.printed;
        const auto firstCount = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, left));
        const auto secondCount =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, left - firstCount));
        std::future<std::size_t> helper;
        if (secondCount > 0) {
            helper = std::async(std::launch::async,
                                [&, secondReading = readingAfter(reading, firstCount)] {
                                    return encodeReadings(tables, options, encoding, secondReading,
                                                          secondCount, second.data());
                                });
        }
        const std::size_t firstBytes =
            encodeReadings(tables, options, encoding, reading, firstCount, first.data());
        const std::size_t secondBytes = secondCount > 0 ? helper.get() : 0;
        out.write({first.data(), firstBytes});
        out.write({second.data(), secondBytes});
        result.printed += firstCount + secondCount;
        reading = readingAfter(reading, firstCount + secondCount);
    }
    out.flush();
    return result;
}

RunResult printUniqueNames(const KanaTables& tables, const CliOptions& options,
                           const LineEncoding& encoding, std::uint32_t startReading,
                           OutputBuffer& out) {
    std::vector<KanaIndexName> batch(kBatchSize);
    UniqueNames seen;
    RunResult result;
    std::uint32_t reading = startReading;
    std::uint64_t readingsDone = 0;
    while (result.printed < options.count && !out.closed()) {
        if (readingsDone == kMillisecondsPerDay) {
            // Readings repeat daily, so after a whole day no later reading can hold a new
            // name: stopping now prints exactly what waiting out another day would.
            result.exhausted = true;
            break;
        }
        const std::span<KanaIndexName> names(
            batch.data(), std::min<std::uint64_t>(kBatchSize, kMillisecondsPerDay - readingsDone));
        makeKanaIndexNames(tables, options.fixedLength, reading, names);
        reading = readingAfter(reading, names.size());
        readingsDone += names.size();
        for (const KanaIndexName& name : names) {
            if (result.printed == options.count) {
                break;
            }
            if (seen.insert(name)) {
                char* const start = out.reserve(kMaxLineBytes);
                out.commit(static_cast<std::size_t>(encodeLine(name, encoding, start) - start));
                ++result.printed;
            }
        }
    }
    out.flush();
    return result;
}

} // namespace

RunResult printNames(const KanaTables& tables, const CliOptions& options,
                     std::uint32_t startReading, OutputBuffer& out) {
    const LineEncoding encoding = lineEncoding(tables, options.encoding);
    const std::uint32_t reading = startReading % kMillisecondsPerDay;
    return options.unique ? printUniqueNames(tables, options, encoding, reading, out)
                          : printAllNames(tables, options, encoding, reading, out);
}

} // namespace kanatsumugi
