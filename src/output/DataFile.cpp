#include "output/DataFile.h"

#include <cerrno>
#include <string_view>

#include "definitions/DefinitionKeys.h"
#include "forms/UiService.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"
#include "platform/ErrorHandler.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"
#include "platform/SettingsStore.h"

namespace bp::output {
namespace {

constexpr std::string_view kFileInUse =
    "The data.CSV file can not be accessed. Make sure it is not open.";

[[noreturn]] void raiseFromErrno(const std::string& what, const std::string& path, int err) {
    int number = (err == EACCES || err == EPERM || err == ETXTBSY || err == EBUSY)
                     ? kErrPermissionDenied
                     : (err == ENOSPC ? kErrDiskFull : kErrPathFileAccess);
    raise(number, what + " " + path + ": " + platform::systemErrorText(err));
}

// Buffers the rows and saves them through a temporary file renamed over the old data file
// at the end, so the report builder never sees a half-written data file.
class AtomicFile {
public:
    explicit AtomicFile(const std::string& path) : file_(path) {
        if (!file_.open()) {
            raiseFromErrno("Unable to create", path, file_.error());
        }
    }
    void write(const std::string& text) {
        buffer_ += text;
        flushWhenFull();
    }
    // Rows are appended in place, so a million rows make no string of their own each.
    std::string& buffer() { return buffer_; }
    void flushWhenFull() {
        if (buffer_.size() >= (1u << 20)) {
            flush();
        }
    }
    void commit() {
        flush();
        if (!file_.commit()) {
            raiseFromErrno("Unable to replace", file_.target(), file_.error());
        }
    }

private:
    void flush() {
        if (!file_.write(buffer_)) {
            raiseFromErrno("Unable to write", file_.target(), file_.error());
        }
        buffer_.clear();
    }

    platform::SaveFile file_;
    std::string buffer_;
};

// A CR LF pair becomes one space, so a row stays on one line; a lone CR or LF stays. Quotes
// are doubled in the same pass: a doubled quote never forms or splits a CR LF pair, and the
// quotes around a cell keep pairs from spanning two cells. Plain stretches between those
// characters are copied whole, as most cells have none of them. Unquoted, the cell reads as
// a reader of the file gets it back.
template <bool Quoted = true>
void appendCell(std::string& out, std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end) {
        const char* special = at;
        while (special != end && *special != '"' && *special != '\r') {
            ++special;
        }
        out.append(at, special);
        if (special == end) {
            break;
        }
        if (*special == '"') {
            out += Quoted ? "\"\"" : "\"";
        } else if (special + 1 != end && special[1] == '\n') {
            out += ' ';
            ++special;
        } else {
            out += '\r';
        }
        at = special + 1;
    }
}

void appendDataLine(std::string& out, const forms::ListViewRow& row, int columns) {
    for (int c = 0; c < columns; ++c) {
        if (c > 0) {
            out += ',';
        }
        out += '"';
        appendCell(out, row.cell(c));
        out += '"';
    }
    out += "\r\n";
}

void writeRows(AtomicFile& file, act::Session& session, const forms::ListView& list,
               bool bNameSortAdded) {
    if (session.iOutputType() == 1) {
        std::string names =
            session.settings->GetSetting(definitions::kStagingSection, "FieldNamesIncluded", "");
        if (!names.empty()) {
            file.write(headerLine(names));
        }
    }
    int columns = dataColumns(session, list, bNameSortAdded);
    if (columns < 0) {
        return;
    }
    std::string& buffer = file.buffer();
    core::Progress& progress = session.progress;
    list.visitRows([&](const forms::ListViewRow& row) {
        progress.step();
        appendDataLine(buffer, row, columns);
        file.flushWhenFull();
    });
}

}  // namespace

std::string Check(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out;
}

int dataColumns(const act::Session& session, const forms::ListView& lvwSales, bool bNameSortAdded) {
    bool exporting = session.iOutputType() == 1;
    if (lvwSales.rowCount() == 0 ||
        (exporting &&
         session.settings->GetSetting(definitions::kStagingSection, "FieldNamesIncluded", "")
             .empty())) {
        return -1;  // a CSV export without field names stays empty
    }
    int columns = static_cast<int>(lvwSales.rows().front().cellCount());
    // The appended sort-name column is for sorting only; the export matches its header.
    return exporting && bNameSortAdded ? columns - 1 : columns;
}

std::string cellAsRead(std::string_view text) {
    std::string out;
    appendCell<false>(out, text);
    return out;
}

std::string dataLine(const forms::ListViewRow& row, int columns) {
    std::string out;
    appendDataLine(out, row, columns);
    return out;
}

std::string headerLine(const std::string& fieldNamesIncluded) {
    std::string line = "\"";
    for (char c : fieldNamesIncluded) {
        if (c == definitions::kItemEnd) {
            line += "\",\"";
        } else {
            line += c;
        }
    }
    line.resize(line.size() >= 2 ? line.size() - 2 : 0);
    return line + "\r\n";
}

std::string dataFilePath(const act::Session& session) {
    return platform::joinPath(session.programFolder, kDataFileName);
}

bool Write_File(act::Session& session, const forms::ListView& lvwSales, bool bNameSortAdded) {
    std::string path = dataFilePath(session);
    try {
        AtomicFile file(path);
        writeRows(file, session, lvwSales, bNameSortAdded);
        file.commit();
        session.settings->SaveSetting(platform::kSettingsSection, "DataFile", path);
        return true;
    } catch (const Error& error) {
        if (error.number() == kErrPermissionDenied) {
            session.ui->message({std::string(platform::kAppTitle), std::string(kFileInUse)});
        } else {
            platform::showError(*session.ui, {error.number(), error.description(), error.line()},
                                {"frmMain", "Write_File", platform::RoutineKind::Sub});
        }
        return false;
    }
}

}  // namespace bp::output
