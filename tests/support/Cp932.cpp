#include "support/Cp932.h"

#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace kanatsumugi::test {

namespace {

std::string convert(std::string_view text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    // iconv_open reports failure as (iconv_t)-1.
    if (cd == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
        throw std::runtime_error("iconv cannot convert between these encodings");
    }
    std::string input(text);
    std::vector<char> output(input.size() * 2 + 16);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        throw std::runtime_error("iconv conversion failed");
    }
    return {output.data(), output.size() - outLeft};
}

} // namespace

std::string utf8ToCp932(std::string_view utf8) {
    return convert(utf8, "UTF-8", "CP932");
}
std::string cp932ToUtf8(std::string_view cp932) {
    return convert(cp932, "CP932", "UTF-8");
}

} // namespace kanatsumugi::test
