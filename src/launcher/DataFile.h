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

    size_t rowCount() const { return rows_.size() - 1; }
    size_t cellCount(size_t row) const { return rows_[row + 1].firstCell - rows_[row].firstCell; }
    // The cell as UTF-8; "" for a cell the row does not have.
    std::string_view cell(size_t row, size_t column) const;
    // Asks the processor for a row's place, then (once that has come) for its cells, so rows
    // read out of file order do not wait on memory one after another.
    void prefetchRow(size_t row) const { prefetch(&rows_[row]); }
    void prefetchCells(size_t row) const {
        prefetch(&cellEnd_[rows_[row].firstCell]);
        prefetch(chars_.data() + rows_[row].chars);
    }
    // The most cells any row has.
    size_t widestRow() const { return widest_; }

private:
    class Parser;

    void endCell(std::string& cellBytes);
    void endRow();

    void reserve(uint64_t bytes);
    static void prefetch([[maybe_unused]] const void* address) {
#if defined(__GNUC__)
        __builtin_prefetch(address);
#endif
    }

    // Where a row starts; a report reads rows out of file order, so these come in one piece.
    struct RowStart {
        uint64_t chars = 0;      // offset in chars_
        uint32_t firstCell = 0;  // index into cellEnd_
        uint32_t longRow = 0;    // 1 + index into longRows_ for a row too long for cellEnd_
    };
    uint32_t cellEnd(const RowStart& row, size_t column) const;

    std::string chars_;
    // A million rows of eight cells: offsets are kept as small as they can be. A row longer
    // than 64 KB keeps its cells' ends apart (and zeros in cellEnd_).
    std::vector<uint16_t> cellEnd_;   // end of every cell from its row's start, row after row
    std::vector<RowStart> rows_{{}};  // every row's start, plus an end
    std::vector<std::vector<uint32_t>> longRows_;
    std::vector<uint32_t> rowEnds_;  // the cells' ends of the row being read
    size_t widest_ = 0;
};

}  // namespace bp::launcher
