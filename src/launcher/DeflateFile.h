#pragma once
// Compresses text into a file as it comes, the way a zip entry stores it (raw deflate), so a
// sheet of a million rows is never held or written out uncompressed. The package then copies
// the compressed bytes as they are.
//
// Compression is the slowest step of a big report, so the text is cut into chunks that workers
// on every core compress at the same time. Each chunk starts on a byte boundary with the text
// before it as its dictionary and ends with a sync flush, so the pieces, written in order, make
// one valid deflate stream, nearly as small as a single pass would make it.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
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
    // The fast levels pack sheet text nearly as small as the default level in a fraction of the
    // time; the second packs it a few percent smaller than the first at the same speed.
    static constexpr int kSheetLevel = 2;

    // Raises bp::Error when the file cannot be created. `workers` 0 means one per core.
    DeflateFile(const std::string& path, int level, unsigned workers = 0);
    ~DeflateFile();
    DeflateFile(const DeflateFile&) = delete;
    DeflateFile& operator=(const DeflateFile&) = delete;

    void append(std::string_view bytes);
    // Text may also be written straight into the chunk being gathered; gathered() then hands it
    // over once it is full. The chunk is never cut in between, so a row can stay whole.
    std::string& gathering() { return pending_; }
    void gathered();
    // Ends the compressed stream and closes the file. Raises bp::Error when the file could not
    // be written completely.
    DeflatedFile finish();

private:
    struct Chunk {
        size_t index = 0;
        std::string text;
        std::string dictionary;  // the text just before this chunk
        bool last = false;
    };
    struct Packed {
        std::vector<unsigned char> bytes;
        uint32_t crc = 0;
        uint64_t size = 0;
        bool failed = false;
    };

    void submit(bool last);
    void work();
    Packed pack(z_stream_s& stream, const Chunk& chunk, std::vector<unsigned char>& scratch) const;
    void writeReady(std::unique_lock<std::mutex>& lock);
    void stopWorkers();

    std::FILE* file_ = nullptr;
    int level_ = 0;
    std::string pending_;  // text not yet handed to the workers
    std::string tail_;     // the end of the text handed over last
    size_t submitted_ = 0;
    // Shared with the workers under mutex_.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Chunk> chunks_;         // waiting for a worker
    std::map<size_t, Packed> packed_;  // compressed, waiting for their turn in the file
    std::vector<std::string> spare_;   // emptied buffers to reuse
    size_t written_ = 0;               // chunks in the file
    bool writing_ = false;             // a worker is writing chunks out
    bool ending_ = false;
    DeflatedFile result_;
    bool failed_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace bp::launcher
