#pragma once
// Compresses text into a file as it comes, the way a zip entry stores it (raw deflate), so a
// sheet of a million rows is never held or written out uncompressed. The package then copies
// the compressed bytes as they are.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct z_stream_s;

namespace bp::launcher {

// What a zip entry records about compressed content kept in a file.
struct DeflatedFile {
    std::string path;
    uint64_t size = 0;            // bytes before compression
    uint64_t compressedSize = 0;  // bytes in the file
    uint32_t crc = 0;             // of the bytes before compression
};

class DeflateFile {
public:
    // The fastest level packs sheet text nearly as small as the default level, in a fraction of
    // the time.
    static constexpr int kSheetLevel = 1;

    // Raises bp::Error when the file cannot be created.
    DeflateFile(const std::string& path, int level);
    ~DeflateFile();
    DeflateFile(const DeflateFile&) = delete;
    DeflateFile& operator=(const DeflateFile&) = delete;

    void append(std::string_view bytes);
    // Ends the compressed stream and closes the file. Raises bp::Error when the file could not
    // be written completely.
    DeflatedFile finish();

private:
    void pump(int flush);

    std::FILE* file_ = nullptr;
    std::unique_ptr<z_stream_s> stream_;
    std::vector<unsigned char> out_;
    DeflatedFile result_;
    bool failed_ = false;
};

}  // namespace bp::launcher
