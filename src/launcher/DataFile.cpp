#include "launcher/DataFile.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/TextCodec.h"

namespace bp::launcher {
namespace {

// A report reads the rows out of file order, a page here and a page there: on large pages far
// fewer of those reads wait for the processor to look up where a page lies. Only a hint; where
// the system has no such pages, nothing changes.
void preferLargePages([[maybe_unused]] const void* data, [[maybe_unused]] size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kPage = 4096;
    constexpr size_t kWorthIt = size_t{4} << 20;
    if (bytes < kWorthIt) {
        return;
    }
    uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
}

}  // namespace

// A small state machine fed in chunks, so a big file is never held twice.
class DataFile::Parser {
public:
    explicit Parser(DataFile& file) : file_(file) {}

    void feed(std::string_view bytes) {
        for (size_t at = 0; at < bytes.size();) {
            // Inside quotes everything up to the next quote is the cell's own text.
            if (inQuotes_ && !quoteSeen_) {
                size_t quote = bytes.find('"', at);
                size_t end = quote == std::string_view::npos ? bytes.size() : quote;
                cell_.append(bytes, at, end - at);
                at = end;
                if (at == bytes.size()) {
                    break;
                }
            }
            step(bytes[at++]);
        }
    }

    void finish() {
        if (pendingCr_) {
            endLine();
        }
        if (inQuotes_ || !cell_.empty() || cellsInLine_ > 0 || sawQuote_) {
            endLine();
        }
    }

private:
    void step(char c) {
        if (inQuotes_) {
            if (quoteSeen_) {
                quoteSeen_ = false;
                if (c == '"') {
                    cell_ += '"';
                    return;
                }
                inQuotes_ = false;
            } else if (c == '"') {
                quoteSeen_ = true;
                return;
            } else {
                cell_ += c;
                return;
            }
        }
        if (pendingCr_) {
            pendingCr_ = false;
            endLine();
            if (c == '\n') {
                return;
            }
        }
        switch (c) {
            case '"':
                inQuotes_ = true;
                sawQuote_ = true;
                break;
            case ',':
                file_.endCell(cell_);
                ++cellsInLine_;
                sawQuote_ = false;
                break;
            case '\r':
                pendingCr_ = true;
                break;
            case '\n':
                endLine();
                break;
            default:
                cell_ += c;
        }
    }

    void endLine() {
        if (cellsInLine_ == 0 && cell_.empty() && !sawQuote_) {
            return;  // blank lines carry no row
        }
        file_.endCell(cell_);
        file_.endRow();
        cellsInLine_ = 0;
        sawQuote_ = false;
    }

    DataFile& file_;
    std::string cell_;
    size_t cellsInLine_ = 0;
    bool inQuotes_ = false;
    bool quoteSeen_ = false;
    bool sawQuote_ = false;
    bool pendingCr_ = false;
};

namespace {

[[noreturn]] void refuseDataFile(const std::string& path, int err) {
    if (err == platform::kErrnoFileTooLarge) {
        raise(kErrFileNotFound, "The data file \"" + path + "\" is larger than 2 GB.");
    }
    if (err == platform::kErrnoNotRegularFile) {
        raise(kErrFileNotFound, "The data file \"" + path + "\" is not a regular file.");
    }
    raise(kErrFileNotFound, "The data file \"" + path + "\" could not be read.");
}

}  // namespace

DataFile DataFile::read(const std::string& path) {
    platform::File in;
    if (!in.openForReading(path)) {
        if (in.error() == platform::kErrnoNotRegularFile) {
            refuseDataFile(path, in.error());
        }
        raise(kErrFileNotFound, "The data file \"" + path + "\" could not be opened.");
    }
    std::optional<platform::FileStamp> stamp = in.stamp();
    if (!stamp) {
        refuseDataFile(path, in.error());
    }
    if (static_cast<uint64_t>(stamp->size) > kMaxBytes) {
        refuseDataFile(path, platform::kErrnoFileTooLarge);
    }
    DataFile file;
    file.reserve(static_cast<uint64_t>(stamp->size));
    Parser parser(file);
    std::string chunk(1 << 20, '\0');
    uint64_t total = 0;
    for (;;) {
        int64_t got = in.read(chunk.data(), chunk.size());
        if (got < 0) {
            refuseDataFile(path, in.error());
        }
        if (got == 0) {
            break;
        }
        // The file may grow while it is read.
        total += static_cast<uint64_t>(got);
        if (total > kMaxBytes) {
            refuseDataFile(path, platform::kErrnoFileTooLarge);
        }
        parser.feed(std::string_view(chunk.data(), static_cast<size_t>(got)));
    }
    parser.finish();
    return file;
}

DataFile DataFile::parse(std::string_view bytes) {
    DataFile file;
    file.reserve(bytes.size());
    Parser parser(file);
    parser.feed(bytes);
    parser.finish();
    return file;
}

// The cells take at most the file's bytes (quotes dropped) unless old Windows text widens; the
// offsets are guessed from a typical row, which keeps the vectors from doubling past need.
void DataFile::reserve(uint64_t bytes) {
    constexpr uint64_t kTypicalCellBytes = 8;
    constexpr uint64_t kTypicalRowBytes = 32;
    chars_.reserve(static_cast<size_t>(bytes));
    cellEnd_.reserve(static_cast<size_t>(bytes / kTypicalCellBytes));
    rows_.reserve(static_cast<size_t>(bytes / kTypicalRowBytes) + 1);
    // Before any of it is touched, so the pages are taken large from the start.
    preferLargePages(chars_.data(), chars_.capacity());
    preferLargePages(cellEnd_.data(), cellEnd_.capacity() * sizeof(uint16_t));
    preferLargePages(rows_.data(), rows_.capacity() * sizeof(RowStart));
}

std::string_view DataFile::cell(size_t row, size_t column) const {
    if (row >= rowCount() || column >= cellCount(row)) {
        return {};
    }
    const RowStart& start = rows_[row];
    uint32_t begin = column == 0 ? 0 : cellEnd(start, column - 1);
    return std::string_view(chars_).substr(start.chars + begin, cellEnd(start, column) - begin);
}

uint32_t DataFile::cellEnd(const RowStart& row, size_t column) const {
    if (row.longRow != 0) {
        return longRows_[row.longRow - 1][column];
    }
    return cellEnd_[row.firstCell + column];
}

void DataFile::endCell(std::string& cellBytes) {
    // A cell from an older file written on Windows holds Windows-1252 text.
    if (platform::TextCodec::isUtf8(cellBytes)) {
        chars_ += cellBytes;
    } else {
        chars_ += platform::TextCodec::fromWindows1252(cellBytes);
    }
    uint64_t inRow = chars_.size() - rows_.back().chars;
    if (inRow > UINT32_MAX) {
        raise(kErrFileNotFound, "A row of the data file is longer than 4 GB.");
    }
    rowEnds_.push_back(static_cast<uint32_t>(inRow));
    cellBytes.clear();
}

void DataFile::endRow() {
    bool isLong = !rowEnds_.empty() && rowEnds_.back() > UINT16_MAX;
    for (uint32_t end : rowEnds_) {
        cellEnd_.push_back(isLong ? 0 : static_cast<uint16_t>(end));
    }
    if (isLong) {
        longRows_.push_back(rowEnds_);
        rows_.back().longRow = static_cast<uint32_t>(longRows_.size());
    }
    rowEnds_.clear();
    rows_.push_back(RowStart{chars_.size(), static_cast<uint32_t>(cellEnd_.size())});
    widest_ = std::max<size_t>(widest_, cellCount(rows_.size() - 2));
}

}  // namespace bp::launcher
