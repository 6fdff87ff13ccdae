#pragma once

#include <stdexcept>
#include <string>

namespace kanatsumugi {

// The program's one error type: raised where a failure happens, caught only by the
// application shell, which shows what() to the user. The message is UTF-8.
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& utf8Message)
        : std::runtime_error(utf8Message) {}
};

// A failure of what the user gave: a refused argument, or a file that cannot be read.
// The command line exits with status 2 for it.
class InputError : public AppError {
public:
    using AppError::AppError;
};

} // namespace kanatsumugi
