#pragma once

#include <QtGlobal>

namespace kanatsumugi {

// What a quick pass over stock file bytes found, up to the first NUL byte. The offset
// and the count hold only for bytes in the stock format.
struct CrLfScan {
    qsizetype textEnd = 0;     // offset of the first NUL byte, or the size
    qsizetype lineCount = 0;   // line feeds before textEnd
    bool inStockFormat = true; // every line, the last included, ends in CR LF; no lone CR or LF
};

// Checks whether bytes are already in the stock file's format; a file the program wrote
// always is, so loading it needs no copy. Fed piece by piece while the file is read, it looks
// at each piece while it is still in the cache.
class CrLfScanner {
public:
    void feed(const char* data, qsizetype size);
    CrLfScan result() const;

private:
    CrLfScan scan_;
    qsizetype fed_ = 0;
    unsigned crBefore_ = 0; // the last byte fed was a CR
    char lastByte_ = '\0';  // the last byte before the text's end
    bool ended_ = false;    // a NUL was seen
};

// The same for bytes at hand.
CrLfScan scanCrLf(const char* data, qsizetype size);

} // namespace kanatsumugi
