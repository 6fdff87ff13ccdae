#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kanatsumugi {

// Where the shipped data files are: $KANATSUMUGI_DATA_DIR when set and not empty, else
// share/kanatsumugi beside the program's bin folder, else the source tree's data.
std::filesystem::path dataDirectory();

// The payload of a data file written by the derivation script: a one-line header
// ("kanatsumugi KIND 1 SIZE CHECKSUM"), then SIZE bytes. Raises AppError naming the
// file when it is missing, unreadable, of another kind, cut short or changed.
std::string readCheckedData(const std::filesystem::path& file, std::string_view kind);

// The same format, written whole; raises AppError naming the file on failure.
void writeCheckedData(const std::filesystem::path& file, std::string_view kind,
                      std::string_view payload);

// A whole file's bytes; raises AppError naming the file when it cannot be read.
std::string readWholeFile(const std::filesystem::path& file);

// A one-line error about `file`.
[[noreturn]] void throwDataError(const std::filesystem::path& file, std::string_view what);

} // namespace kanatsumugi
