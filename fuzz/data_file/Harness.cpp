// The data file the program leaves for the report builder. Whatever the bytes: no crash; every
// row answers for as many cells as it says it has, each of them UTF-8, and nothing past them;
// the widest row is the widest there is; and the rows written back in the program's own form
// (every cell quoted, inner quotes doubled, CR LF) read as the same rows and cells, a text that
// is then its own fixed point.
//
// No bp::Error is caught: the parser raises one only for a row longer than 4 GB, which no input
// here can make, so any error escaping is a fault.

#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "launcher/DataFile.h"
#include "platform/TextCodec.h"

namespace {

using bp::launcher::DataFile;

std::string writeBack(const DataFile& file) {
    std::string text;
    for (size_t row = 0; row < file.rowCount(); ++row) {
        for (size_t column = 0; column < file.cellCount(row); ++column) {
            if (column > 0) {
                text += ',';
            }
            text += '"';
            for (char c : file.cell(row, column)) {
                text += c;
                if (c == '"') {
                    text += '"';
                }
            }
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

bool sameRows(const DataFile& a, const DataFile& b) {
    if (a.rowCount() != b.rowCount() || a.widestRow() != b.widestRow()) {
        return false;
    }
    for (size_t row = 0; row < a.rowCount(); ++row) {
        if (a.cellCount(row) != b.cellCount(row)) {
            return false;
        }
        for (size_t column = 0; column < a.cellCount(row); ++column) {
            if (a.cell(row, column) != b.cell(row, column)) {
                return false;
            }
        }
    }
    return true;
}

void checkShape(const DataFile& file, size_t inputSize) {
    size_t widest = 0;
    size_t cells = 0;
    for (size_t row = 0; row < file.rowCount(); ++row) {
        const size_t count = file.cellCount(row);
        // A line that holds no cell at all is blank and carries no row.
        BP_FUZZ_CHECK(count >= 1);
        widest = std::max(widest, count);
        cells += count;
        for (size_t column = 0; column < count; ++column) {
            BP_FUZZ_CHECK(bp::platform::TextCodec::isUtf8(file.cell(row, column)));
        }
        BP_FUZZ_CHECK(file.cell(row, count).empty());
    }
    BP_FUZZ_CHECK(widest == file.widestRow());
    BP_FUZZ_CHECK(file.cell(file.rowCount(), 0).empty());
    // Every cell but the first of a row needs its comma, every row its end or the input's end.
    BP_FUZZ_CHECK(cells <= inputSize + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DataFile file = DataFile::parse(bp::fuzz::bytes(data, size));
    checkShape(file, size);
    const std::string written = writeBack(file);
    const DataFile reread = DataFile::parse(written);
    checkShape(reread, written.size());
    BP_FUZZ_CHECK(sameRows(file, reread));
    BP_FUZZ_CHECK(writeBack(reread) == written);
    return 0;
}
