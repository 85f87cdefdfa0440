#pragma once
// The lookup files the host writes with SaveCurrentLookup and reads with LoadLookupQuery:
// a header line, then one contact ID per line in lookup order.

#include <string>
#include <vector>

namespace bp::sim {

class LookupFile {
public:
    static constexpr const char* kHeader = "BRINDLEPATH-LOOKUP 1";

    // Written through a temporary file, so a reader never sees half a lookup.
    static void write(const std::string& path, const std::vector<std::string>& ids);
    static std::vector<std::string> read(const std::string& path);
};

}  // namespace bp::sim
