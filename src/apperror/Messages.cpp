#include "apperror/Messages.h"

#include <clocale>
#include <filesystem>
#include <libintl.h>

namespace kanatsumugi {

namespace {

constexpr char kDomain[] = "kanatsumugi-cli";

} // namespace

void openMessageCatalogue() {
    std::setlocale(LC_ALL, "");
    // The catalogue lies where the package puts it relative to the program, so that a
    // build that is not installed finds its own.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        bindtextdomain(kDomain,
                       (program.parent_path() / KANATSUMUGI_LOCALEDIR_FROM_BINDIR).c_str());
    }
}

const char* tr(const char* english) {
    return dgettext(kDomain, english);
}

const char* trn(const char* one, const char* many, unsigned long count) {
    return dngettext(kDomain, one, many, count);
}

std::string fill(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string filled;
    const auto* arg = args.begin();
    for (std::size_t at = text.find("%s"); at != std::string_view::npos && arg != args.end();
         at = text.find("%s")) {
        filled.append(text.substr(0, at)).append(*arg++);
        text.remove_prefix(at + 2);
    }
    return filled.append(text);
}

std::string quoted(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? "\\x" + std::string{"0123456789abcdef"[byte >> 4],
                                                                   "0123456789abcdef"[byte & 0xf]}
                                             : std::string(1, c);
    }
    return fill(tr("\"%s\""), {shown});
}

} // namespace kanatsumugi
