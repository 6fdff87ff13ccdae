#pragma once

// Qt-free, so that every program can call it before anything else.

namespace kanatsumugi {

// Opens descriptors 0, 1 and 2 to /dev/null where they are closed, so that a file the program
// opens (the stock file) can never become its standard error. Call first thing in main.
void openStandardDescriptors();

} // namespace kanatsumugi
