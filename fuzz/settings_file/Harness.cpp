// The settings store file, as the program and the report builder read it. Whatever the bytes:
// no crash; what was read writes back to a text that reads as the same sections, keys and
// values, in the same order; that text is its own fixed point; and the file store over the
// same bytes answers as the parsed text does, then keeps every entry through one change.

#include <fstream>
#include <functional>

#include "FuzzCheck.h"
#include "platform/FileSettingsStore.h"
#include "platform/SettingsFileFormat.h"

namespace {

using bp::platform::SettingsData;
using bp::platform::SettingsFileFormat;

bool sameEntries(const SettingsData& a, const SettingsData& b) {
    if (a.sections().size() != b.sections().size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.sections().size(); ++i) {
        const auto& x = a.sections()[i];
        const auto& y = b.sections()[i];
        if (x.name != y.name || x.entries != y.entries) {
            return false;
        }
    }
    return true;
}

void checkFileStore(std::string_view text, const SettingsData& parsed) {
    const std::string path = bp::fuzz::Scratch::file("settings.ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    bp::platform::FileSettingsStore store(path);
    for (const auto& section : parsed.sections()) {
        BP_FUZZ_CHECK(store.GetAllSettings(section.name) == parsed.all(section.name));
    }
    store.SaveSetting("Fuzz", "Added", "1");
    bp::platform::FileSettingsStore reread(path);
    for (const auto& section : parsed.sections()) {
        if (section.folded != "fuzz") {
            BP_FUZZ_CHECK(reread.GetAllSettings(section.name) == parsed.all(section.name));
        }
    }
    BP_FUZZ_CHECK(reread.GetSetting("Fuzz", "Added", "") == "1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = bp::fuzz::bytes(data, size);
    const SettingsData parsed = SettingsFileFormat::parse(text);
    const std::string written = SettingsFileFormat::serialize(parsed);
    const SettingsData reread = SettingsFileFormat::parse(written);
    BP_FUZZ_CHECK(sameEntries(parsed, reread));
    BP_FUZZ_CHECK(SettingsFileFormat::serialize(reread) == written);
    for (const auto& section : parsed.sections()) {
        for (const auto& [key, value] : section.entries) {
            BP_FUZZ_CHECK(SettingsFileFormat::unescape(SettingsFileFormat::escape(
                              value, SettingsFileFormat::Part::Value)) == value);
        }
    }
    // The store writes through a synced temporary file, a thousand times slower than the
    // parse; its own logic (locking, refreshing, replacing) hardly depends on the bytes, so
    // one input in eight, picked by content, is enough to keep it under the fuzzer.
    if (std::hash<std::string_view>{}(text) % 8 == 0) {
        checkFileStore(text, parsed);
    }
    return 0;
}
