#pragma once
// The rows the program left in its data file: every cell in double quotes with inner quotes
// doubled, lines ended by CR LF, no header line for reports. Cells are kept in one block of
// memory so a sheet-sized file (a million rows) fits comfortably.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bp::launcher {

class DataFile {
public:
    // Far more than a sheet of a million rows can show; anything larger is refused.
    static constexpr uint64_t kMaxBytes = uint64_t{2} << 30;

    // Raises bp::Error 53 when the file is missing or cannot be read, and when it is larger
    // than kMaxBytes or no regular file (a pipe or a device is never read).
    static DataFile read(const std::string& path);
    static DataFile parse(std::string_view bytes);

    size_t rowCount() const { return rowStart_.size() - 1; }
    size_t cellCount(size_t row) const { return rowStart_[row + 1] - rowStart_[row]; }
    // The cell as UTF-8; "" for a cell the row does not have.
    std::string_view cell(size_t row, size_t column) const;
    // The most cells any row has.
    size_t widestRow() const { return widest_; }

private:
    class Parser;

    void endCell(std::string& cellBytes);
    void endRow();

    void reserve(uint64_t bytes);

    std::string chars_;
    // A million rows of eight cells: offsets are kept as small as they can be.
    std::vector<uint64_t> rowChars_{0};  // offset in chars_ where each row starts, plus an end
    std::vector<uint32_t> cellEnd_;      // end of every cell from its row's start, row after row
    std::vector<uint32_t> rowStart_{0};  // index into cellEnd_ where each row starts, plus an end
    size_t widest_ = 0;
};

}  // namespace bp::launcher
