#include "lexicon/DataFile.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#if !defined(KANATSUMUGI_INSTALLED_DATA) || !defined(KANATSUMUGI_BUILD_TREE_DATA)
#error "the build names the installed and the build tree's data folders"
#endif

namespace kanatsumugi {

namespace {

// FNV-1a over little-endian 64-bit words, the last one padded with zeros: a byte at a
// time would take milliseconds of a start-up over the larger files.
std::uint64_t fnv1a64(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::size_t at = 0; at < bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<std::size_t>(8, bytes.size() - at));
        hash = (hash ^ word) * 0x100000001b3u;
    }
    return hash;
}

std::string headerOf(std::string_view kind, std::string_view payload) {
    std::ostringstream header;
    header << "kanatsumugi " << kind << " 1 " << payload.size() << ' ' << std::hex;
    header.width(16);
    header.fill('0');
    header << fnv1a64(payload) << '\n';
    return header.str();
}

} // namespace

static_assert(std::endian::native == std::endian::little, "the data files are little-endian");

std::filesystem::path dataDirectory() {
    const char* override = std::getenv("KANATSUMUGI_DATA_DIR");
    if (override != nullptr && *override != '\0') {
        return override;
    }
    // Found beside the program, so that the package (installed under /usr) and an install
    // under any other prefix find their own files; a program run from the build tree uses
    // the source tree's.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        std::filesystem::path installed =
            program.parent_path().parent_path() / KANATSUMUGI_INSTALLED_DATA;
        if (std::filesystem::is_directory(installed, error)) {
            return installed;
        }
    }
    return KANATSUMUGI_BUILD_TREE_DATA;
}

void throwDataError(const std::filesystem::path& file, std::string_view what) {
    throw InputError(file.string() + ": " + std::string(what));
}

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throwDataError(file, std::strerror(errno));
    }
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        throwDataError(file, std::strerror(EISDIR));
    }
    // In blocks, not by the file's size: a pipe (--blocklist <(...)) has none, and a
    // device such as /dev/zero never ends.
    constexpr std::size_t kLargestFile = std::size_t{64} << 20;
    std::string bytes;
    std::array<char, 1 << 16> block{};
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
        bytes.append(block.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kLargestFile) {
            throwDataError(file, tr("too large"));
        }
    }
    if (in.bad()) {
        throwDataError(file, tr("cannot be read"));
    }
    return bytes;
}

std::string readCheckedData(const std::filesystem::path& file, std::string_view kind) {
    std::string bytes = readWholeFile(file);
    const std::size_t lineEnd = bytes.find('\n');
    const std::string_view prefix = "kanatsumugi ";
    if (lineEnd == std::string::npos || !bytes.starts_with(prefix) ||
        !std::string_view(bytes).substr(prefix.size()).starts_with(kind)) {
        throwDataError(file, fill(tr("not a kanatsumugi %s file"), {kind}));
    }
    const std::string_view payload = std::string_view(bytes).substr(lineEnd + 1);
    if (std::string_view(bytes).substr(0, lineEnd + 1) != headerOf(kind, payload)) {
        throwDataError(file,
                       tr("damaged (size or checksum does not match; reinstall the program)"));
    }
    bytes.erase(0, lineEnd + 1);
    return bytes;
}

void writeCheckedData(const std::filesystem::path& file, std::string_view kind,
                      std::string_view payload) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << headerOf(kind, payload) << payload;
    out.close();
    if (!out) {
        throwDataError(file, tr("cannot be written"));
    }
}

} // namespace kanatsumugi
