#pragma once
// Compresses text into a file as it comes, the way a zip entry stores it (raw deflate), so a
// sheet of a million rows is never held or written out uncompressed. The package then copies
// the compressed bytes as they are. Compression runs on a thread of its own, beside the work
// that produces the text.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
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
    void submit();
    void compressChunks();
    void compress(std::string_view bytes);
    void pump(int flush);
    void stopWorker();

    std::FILE* file_ = nullptr;
    std::unique_ptr<z_stream_s> stream_;
    std::vector<unsigned char> out_;
    std::string pending_;  // text not yet handed to the worker
    // Shared with the worker under mutex_: chunks to compress, emptied buffers to reuse.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> chunks_;
    std::vector<std::string> spare_;
    bool ending_ = false;
    std::thread worker_;
    // The caller's thread keeps the size and checksum; the compressed size and failures are the
    // worker's while it runs.
    DeflatedFile result_;
    bool failed_ = false;
};

}  // namespace bp::launcher
