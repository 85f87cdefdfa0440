#pragma once
// The lookup files the host writes with SaveCurrentLookup and reads with LoadLookupQuery:
// a header line, then one contact ID per line in lookup order.

#include <cstdint>
#include <string>
#include <vector>

namespace bp::sim {

class LookupFile {
public:
    static constexpr const char* kHeader = "BRINDLEPATH-LOOKUP 1";
    // Room for tens of millions of IDs; a larger file, or one that is no regular file, is
    // refused before it is read.
    static constexpr std::uint64_t kMaxBytes = 256u << 20;

    // Written through a temporary file, so a reader never sees half a lookup.
    static void write(const std::string& path, const std::vector<std::string>& ids);
    // A missing file raises 53; one that cannot be read 75; a file of another kind 13.
    static std::vector<std::string> read(const std::string& path);
};

}  // namespace bp::sim
