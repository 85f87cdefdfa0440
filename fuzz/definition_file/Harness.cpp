// A report definition file, as the report commands stage it and the settings dialog writes it
// back. Whatever the bytes: no crash, and no failure but bp::Error; what was staged, written
// back under a second name and staged again is the same keys and values in the same order;
// written back over itself (in the encoding it was read in) and staged again, the same once
// more; and a file grown past the size any definition can have is refused with a message,
// leaving the staged definition as it was.

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "FuzzCheck.h"
#include "act/Session.h"
#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "forms/ScriptedUi.h"
#include "platform/Error.h"
#include "platform/FileSettingsStore.h"
#include "platform/MemorySettingsStore.h"

namespace {

namespace fs = std::filesystem;
using bp::definitions::kStagingSection;
using bp::platform::SettingPairs;

const std::string& templatesFolder() {
    static const std::string folder = [] {
        fs::path path = bp::fuzz::Scratch::folder() / "Templates";
        fs::create_directories(path);
        return path.string() + "/";
    }();
    return folder;
}

// Without a main window nobody sets the session's templates folder, which stays empty: the
// report name carries the folder instead, and the program builds the same path from the two.
std::string reportName(const char* name) {
    return templatesFolder() + name;
}

std::string pathOf(const char* name, int reportType) {
    return reportName(name) + bp::definitions::definitionExtension(reportType);
}

SettingPairs staged(const bp::act::Session& session) {
    return session.settings->GetAllSettings(kStagingSection);
}

// Stages the definition; a bp::Error (a line without "=", a file that cannot be read) leaves
// the keys read before it staged, and the caller goes on with those.
bool stage(bp::act::Session& session, const char* name, int reportType) {
    try {
        BP_FUZZ_CHECK(bp::definitions::Load_DefFile(session, reportName(name), reportType));
        return true;
    } catch (const bp::Error&) {
        return false;
    }
}

// The file is found and every line written back holds "=": staging it cannot fail.
SettingPairs writeBackAndStage(bp::act::Session& session, const char* name, int reportType) {
    BP_FUZZ_CHECK(bp::definitions::Update_DefFile(session, reportName(name), reportType));
    session.settings->DeleteSetting(kStagingSection);
    bp::definitions::stageValue(session, "Sentinel", "left over");
    BP_FUZZ_CHECK(stage(session, name, reportType));
    return staged(session);
}

void checkTooLargeIsRefused(bp::act::Session& session, const bp::forms::ScriptedUi& ui,
                            int reportType) {
    const SettingPairs before = staged(session);
    const std::size_t messagesBefore = ui.messages().size();
    // Grown without writing a megabyte: the reader looks at the size before it reads.
    fs::resize_file(pathOf("Fuzzed", reportType), bp::definitions::kMaxDefinitionBytes + 1);
    bool refused = false;
    try {
        bp::definitions::Load_DefFile(session, reportName("Fuzzed"), reportType);
    } catch (const bp::Error& error) {
        refused = error.number() == bp::kErrPathFileAccess &&
                  error.description().find(std::string("Fuzzed") +
                                           bp::definitions::definitionExtension(reportType)) !=
                      std::string::npos;
    }
    BP_FUZZ_CHECK(refused);
    BP_FUZZ_CHECK(staged(session) == before);
    BP_FUZZ_CHECK(ui.messages().size() == messagesBefore);
}

void roundTrip(std::string_view bytes, bp::platform::SettingsStore& store) {
    const int reportType = !bytes.empty() && (static_cast<unsigned char>(bytes[0]) & 1) != 0
                               ? bp::definitions::kCsvExport
                               : bp::definitions::kExcelReport;
    for (const char* name : {"Fuzzed", "Written"}) {
        fs::remove(pathOf(name, reportType));
    }
    std::ofstream(pathOf("Fuzzed", reportType), std::ios::binary) << bytes;

    bp::forms::ScriptedUi ui;
    bp::act::Session session;
    session.ui = &ui;
    session.settings = &store;
    store.DeleteSetting(kStagingSection);

    stage(session, "Fuzzed", reportType);
    const SettingPairs first = staged(session);
    BP_FUZZ_CHECK(writeBackAndStage(session, "Written", reportType) == first);
    BP_FUZZ_CHECK(writeBackAndStage(session, "Fuzzed", reportType) == first);
    BP_FUZZ_CHECK(ui.messages().empty());
    checkTooLargeIsRefused(session, ui, reportType);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = bp::fuzz::bytes(data, size);
    bp::platform::MemorySettingsStore memory;
    roundTrip(bytes, memory);
    // The user's store file, which the program stages into, escapes what it keeps and writes
    // through a synced temporary file, many times slower than staging in memory; one input in
    // eight, picked by content, keeps its escaping under the fuzzer.
    if (std::hash<std::string_view>{}(bytes) % 8 == 0) {
        const std::string path = bp::fuzz::Scratch::file("settings.ini");
        fs::remove(path);
        bp::platform::FileSettingsStore file(path);
        roundTrip(bytes, file);
    }
    return 0;
}
