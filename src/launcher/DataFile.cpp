#include "launcher/DataFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/Error.h"
#include "platform/TextCodec.h"

namespace bp::launcher {

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

DataFile DataFile::read(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        raise(kErrFileNotFound, "The data file \"" + path + "\" could not be opened.");
    DataFile file;
    Parser parser(file);
    std::string chunk(1 << 20, '\0');
    size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), in.get())) > 0)
        parser.feed(std::string_view(chunk.data(), got));
    if (std::ferror(in.get()))
        raise(kErrFileNotFound, "The data file \"" + path + "\" could not be read.");
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
    // A cell from an older file written on Windows holds Windows-1252 text.
    if (platform::TextCodec::isUtf8(cellBytes))
        chars_ += cellBytes;
    else
        chars_ += platform::TextCodec::fromWindows1252(cellBytes);
    cellEnd_.push_back(chars_.size());
    cellBytes.clear();
}

void DataFile::endRow() {
    rowStart_.push_back(cellEnd_.size());
    widest_ = std::max<size_t>(widest_, rowStart_.back() - rowStart_[rowStart_.size() - 2]);
}

}  // namespace bp::launcher
