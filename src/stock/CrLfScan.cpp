#include "stock/CrLfScan.h"

#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kanatsumugi {

namespace {

#ifdef __SSE2__
// Sixty-four bytes as four SSE2 registers, compared a byte at a time. Written out by hand:
// the compiler does not unroll loops over the four parts at -O2.
struct Stretch {
    __m128i a, b, c, d;

    explicit Stretch(const char* data)
        : a(load(data))
        , b(load(data + 16))
        , c(load(data + 32))
        , d(load(data + 48)) {}
    Stretch(const Stretch& bytes, char value)
        : a(_mm_cmpeq_epi8(bytes.a, _mm_set1_epi8(value)))
        , b(_mm_cmpeq_epi8(bytes.b, _mm_set1_epi8(value)))
        , c(_mm_cmpeq_epi8(bytes.c, _mm_set1_epi8(value)))
        , d(_mm_cmpeq_epi8(bytes.d, _mm_set1_epi8(value))) {}

    bool any() const {
        return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) != 0;
    }
    // One bit per byte that compared equal.
    std::uint64_t bits() const { return mask(a) | mask(b) << 16 | mask(c) << 32 | mask(d) << 48; }

private:
    static __m128i load(const char* data) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    }
    static std::uint64_t mask(__m128i matches) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(matches)));
    }
};

// Counts compared-equal bytes in per-byte lanes, folded into a total before a lane overflows.
class LaneCounter {
public:
    void add(const Stretch& matches) {
        lanes_ = _mm_sub_epi8(lanes_, _mm_add_epi8(_mm_add_epi8(matches.a, matches.b),
                                                   _mm_add_epi8(matches.c, matches.d)));
        if (++added_ == kFoldEvery)
            fold();
    }
    qsizetype total() {
        fold();
        return total_;
    }

private:
    static constexpr int kFoldEvery = 255 / 4;
    void fold() {
        const __m128i sums = _mm_sad_epu8(lanes_, _mm_setzero_si128());
        total_ += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        lanes_ = _mm_setzero_si128();
        added_ = 0;
    }

    __m128i lanes_ = _mm_setzero_si128();
    int added_ = 0;
    qsizetype total_ = 0;
};

// Sixty-four bytes at a time while no NUL turns up. A line feed must sit exactly one place
// behind each carriage return, which carries across stretches in `crBefore`.
qsizetype scanBlocks(const char* data, qsizetype size, CrLfScan& scan, unsigned& crBefore) {
    LaneCounter lineFeeds;
    qsizetype i = 0;
    for (; i + 64 <= size; i += 64) {
        const Stretch bytes(data + i);
        if (Stretch(bytes, '\0').any())
            break;
        const Stretch lf(bytes, '\n');
        const std::uint64_t cr = Stretch(bytes, '\r').bits();
        if (lf.bits() != ((cr << 1) | crBefore)) {
            scan.inStockFormat = false;
            return i;
        }
        crBefore = static_cast<unsigned>(cr >> 63);
        lineFeeds.add(lf);
    }
    scan.lineCount += lineFeeds.total();
    return i;
}
#endif

} // namespace

void CrLfScanner::feed(const char* data, qsizetype size) {
    const qsizetype start = fed_;
    fed_ += size;
    if (ended_ || !scan_.inStockFormat)
        return;
    qsizetype i = 0;
#ifdef __SSE2__
    i = scanBlocks(data, size, scan_, crBefore_);
    if (!scan_.inStockFormat)
        return;
    if (i > 0)
        lastByte_ = data[i - 1];
#endif
    for (; i < size; ++i) {
        if (data[i] == '\0') {
            ended_ = true;
            scan_.textEnd = start + i;
            return;
        }
        const bool lf = data[i] == '\n';
        if (lf != (crBefore_ != 0)) {
            scan_.inStockFormat = false;
            return;
        }
        scan_.lineCount += lf ? 1 : 0;
        crBefore_ = data[i] == '\r' ? 1 : 0;
        lastByte_ = data[i];
    }
    scan_.textEnd = fed_;
}

CrLfScan CrLfScanner::result() const {
    CrLfScan scan = scan_;
    if (scan.textEnd > 0 && lastByte_ != '\n')
        scan.inStockFormat = false;
    return scan;
}

CrLfScan scanCrLf(const char* data, qsizetype size) {
    CrLfScanner scanner;
    scanner.feed(data, size);
    return scanner.result();
}

} // namespace kanatsumugi
