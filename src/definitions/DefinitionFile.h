#pragma once
// Definition files and their staging. A definition is never worked on in its file: it is
// copied into the settings section "Report" first, every reader and writer uses that section
// key by key, and the settings dialog writes the section back into the file on Close.

#include <cstdint>
#include <optional>
#include <string>

#include "act/Session.h"

namespace bp::definitions {

// A definition is a few kilobytes of keys; one larger than this is no definition and is
// refused before it is read, so a wrong file cannot fill the memory or the staging section.
inline constexpr std::uint64_t kMaxDefinitionBytes = 1u << 20;

enum ReportType : int { kExcelReport = 0, kCsvExport = 1 };

// ".DXL" for a spreadsheet report, ".DCS" for a CSV export.
const char* definitionExtension(int reportType);
// The templates folder + name + extension.
std::string definitionPath(const act::Session& session, const std::string& reportName,
                           int reportType);

// Stages the definition: false (after telling the user) when its file is missing, and the
// staging section is then left as it was. Other failures raise bp::Error for the caller's
// error handler, leaving the keys read so far staged.
bool Load_DefFile(act::Session& session, const std::string& reportName, int reportType);

// Writes the staging section into the definition file. The new file is written beside the old
// one and replaces it only when complete, so a failed write never loses the definition. A
// failure is shown ("Error in Library1: Function Update_DefFile") and raised again.
bool Update_DefFile(act::Session& session, const std::string& reportName, int reportType);

// A key of the definition file as the file holds it, without staging it (the live match
// count checks a definition this way): nothing when the file is missing or lacks the key.
// A file that cannot be read raises bp::Error.
std::optional<std::string> definitionFileValue(const act::Session& session,
                                               const std::string& reportName, int reportType,
                                               const std::string& key);

// A staged key, or the catalogue default when it is absent.
std::string stagedValue(const act::Session& session, const std::string& key);
void stageValue(act::Session& session, const std::string& key, const std::string& value);

}  // namespace bp::definitions
