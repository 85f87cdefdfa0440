#include "launcher/DataFile.h"

#include <algorithm>
#include <optional>

#include "platform/Error.h"
#include "platform/File.h"

namespace bp::launcher {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when it is not one.
size_t utf8Length(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    if ((lead == 0xE0 && byte(i + 1) < 0xA0) || (lead == 0xF0 && byte(i + 1) < 0x90) ||
        (lead == 0xF4 && byte(i + 1) > 0x8F) || (lead == 0xED && byte(i + 1) > 0x9F))
        return 0;  // overlong forms, code points past U+10FFFF, surrogates
    return length;
}

bool isUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t length = utf8Length(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// A cell from an older single-byte file: every byte is its own Latin-1 character.
void appendLatin1(std::string& out, std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
}

}  // namespace

// A small state machine fed in chunks, so a big file is never held twice.
class DataFile::Parser {
public:
    explicit Parser(DataFile& file) : file_(file) {}

    void feed(std::string_view bytes) {
        for (char c : bytes)
            step(c);
    }

    void finish() {
        if (pendingCr_)
            endLine();
        if (inQuotes_ || !cell_.empty() || cellsInLine_ > 0 || sawQuote_)
            endLine();
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
            if (c == '\n')
                return;
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
        if (cellsInLine_ == 0 && cell_.empty() && !sawQuote_)
            return;  // blank lines carry no row
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
    if (err == platform::kErrnoFileTooLarge)
        raise(kErrFileNotFound, "The data file \"" + path + "\" is larger than 2 GB.");
    if (err == platform::kErrnoNotRegularFile)
        raise(kErrFileNotFound, "The data file \"" + path + "\" is not a regular file.");
    raise(kErrFileNotFound, "The data file \"" + path + "\" could not be read.");
}

}  // namespace

DataFile DataFile::read(const std::string& path) {
    platform::File in;
    if (!in.openForReading(path)) {
        if (in.error() == platform::kErrnoNotRegularFile)
            refuseDataFile(path, in.error());
        raise(kErrFileNotFound, "The data file \"" + path + "\" could not be opened.");
    }
    std::optional<platform::FileStamp> stamp = in.stamp();
    if (!stamp)
        refuseDataFile(path, in.error());
    if (static_cast<uint64_t>(stamp->size) > kMaxBytes)
        refuseDataFile(path, platform::kErrnoFileTooLarge);
    DataFile file;
    Parser parser(file);
    std::string chunk(1 << 20, '\0');
    uint64_t total = 0;
    for (;;) {
        int64_t got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            refuseDataFile(path, in.error());
        if (got == 0)
            break;
        // The file may grow while it is read.
        total += static_cast<uint64_t>(got);
        if (total > kMaxBytes)
            refuseDataFile(path, platform::kErrnoFileTooLarge);
        parser.feed(std::string_view(chunk.data(), static_cast<size_t>(got)));
    }
    parser.finish();
    return file;
}

DataFile DataFile::parse(std::string_view bytes) {
    DataFile file;
    Parser parser(file);
    parser.feed(bytes);
    parser.finish();
    return file;
}

std::string_view DataFile::cell(size_t row, size_t column) const {
    if (row >= rowCount() || column >= cellCount(row))
        return {};
    uint64_t index = rowStart_[row] + column;
    uint64_t begin = index == 0 ? 0 : cellEnd_[index - 1];
    return std::string_view(chars_).substr(begin, cellEnd_[index] - begin);
}

void DataFile::endCell(std::string& cellBytes) {
    if (rowStart_.empty())
        rowStart_.push_back(0);
    if (isUtf8(cellBytes))
        chars_ += cellBytes;
    else
        appendLatin1(chars_, cellBytes);
    cellEnd_.push_back(chars_.size());
    cellBytes.clear();
}

void DataFile::endRow() {
    rowStart_.push_back(cellEnd_.size());
    widest_ = std::max<size_t>(widest_, rowStart_.back() - rowStart_[rowStart_.size() - 2]);
}

}  // namespace bp::launcher
