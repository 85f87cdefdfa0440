#include "launcher/DeflateFile.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <system_error>

#include "platform/Error.h"
#include "platform/PathText.h"

namespace bp::launcher {
namespace {

// Half a megabyte keeps every core busy on a small report and holds little memory on a big one.
constexpr size_t kChunkSize = 1 << 19;
// A chunk starts with this much of the text before it: sheet text repeats itself within a few
// rows, and a longer look back (up to deflate's 32 KB) makes the file no smaller.
constexpr size_t kWindow = 8192;
// Chunks handed over but not yet in the file: enough to keep every worker busy, few enough to
// hold little memory.
constexpr size_t kInFlightPerWorker = 2;
constexpr unsigned kMaxWorkers = 4;
// A zip entry holds deflate data without the zlib header and trailer.
constexpr int kRawWindowBits = -15;
constexpr int kMemLevel = 8;
// Room for the empty block a sync flush adds and the end of the stream.
constexpr size_t kFlushRoom = 64;

unsigned workerCount(unsigned asked) {
    unsigned count = asked != 0 ? asked : std::thread::hardware_concurrency();
    return std::clamp(count, 1u, kMaxWorkers);
}

}  // namespace

DeflateFile::DeflateFile(const std::string& path, int level, unsigned workers)
    : file_(platform::openCFile(path, "wb")), level_(level) {
    result_.path = path;
    result_.crc = static_cast<uint32_t>(crc32(0L, Z_NULL, 0));
    if (!file_) {
        raise(kErrPermissionDenied, "The file \"" + path + "\" could not be created.");
    }
    pending_.reserve(kChunkSize);
    unsigned count = workerCount(workers);
    for (unsigned i = 0; i < count; ++i) {
        try {
            workers_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            // Fewer workers only make it slower; none make it impossible.
            if (!workers_.empty()) {
                break;
            }
            std::fclose(file_);
            file_ = nullptr;
            raise(kErrOutOfMemory, "There is not enough memory to compress the report.");
        }
    }
}

DeflateFile::~DeflateFile() {
    if (file_) {
        {
            std::lock_guard lock(mutex_);
            chunks_.clear();
        }
        stopWorkers();
        std::fclose(file_);
    }
}

void DeflateFile::stopWorkers() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers_) {
        if (worker.joinable()) {
            worker.join();
        }
    }
}

void DeflateFile::append(std::string_view bytes) {
    // Most pieces are a row or a cell: they fit in the chunk being gathered.
    if (pending_.size() < kChunkSize && bytes.size() < kChunkSize - pending_.size()) {
        pending_.append(bytes);
        return;
    }
    while (!bytes.empty()) {
        size_t room = kChunkSize - std::min(kChunkSize, pending_.size());
        size_t take = std::min(room, bytes.size());
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (pending_.size() >= kChunkSize) {
            submit(false);
        }
    }
}

void DeflateFile::gathered() {
    if (pending_.size() >= kChunkSize) {
        submit(false);
    }
}

void DeflateFile::submit(bool last) {
    Chunk chunk{submitted_++, std::move(pending_), std::move(tail_), last};
    size_t keep = std::min(kWindow, chunk.text.size());
    tail_.assign(chunk.text, chunk.text.size() - keep, keep);
    pending_.clear();
    std::unique_lock lock(mutex_);
    size_t limit = kInFlightPerWorker * workers_.size();
    changed_.wait(lock, [&] { return chunk.index - written_ < limit; });
    chunks_.push_back(std::move(chunk));
    if (!spare_.empty()) {
        pending_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
    pending_.reserve(kChunkSize);
}

void DeflateFile::work() {
    z_stream_s stream{};
    std::vector<unsigned char> scratch;  // compressed once, then copied out at its real size
    bool ready = deflateInit2(&stream, level_, Z_DEFLATED, kRawWindowBits, kMemLevel,
                              Z_DEFAULT_STRATEGY) == Z_OK;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !chunks_.empty() || ending_; });
        if (chunks_.empty()) {
            break;
        }
        Chunk chunk = std::move(chunks_.front());
        chunks_.pop_front();
        lock.unlock();
        Packed packed;
        packed.failed = true;
        if (ready) {
            try {
                packed = pack(stream, chunk, scratch);
            } catch (const std::bad_alloc&) {
                // The chunk stays marked as failed, so the file is reported as not written.
            }
        }
        lock.lock();
        chunk.text.clear();
        spare_.push_back(std::move(chunk.text));
        packed_.emplace(chunk.index, std::move(packed));
        writeReady(lock);
        changed_.notify_all();
    }
    lock.unlock();
    if (ready) {
        deflateEnd(&stream);
    }
}

DeflateFile::Packed DeflateFile::pack(z_stream_s& stream, const Chunk& chunk,
                                      std::vector<unsigned char>& scratch) const {
    Packed packed;
    const auto* text = reinterpret_cast<const Bytef*>(chunk.text.data());
    // A chunk is kChunkSize and at most a row more, well within zlib's 32-bit counts.
    auto size = static_cast<uInt>(chunk.text.size());
    packed.size = size;
    packed.crc = static_cast<uint32_t>(crc32(0L, text, size));
    if (deflateReset(&stream) != Z_OK ||
        (!chunk.dictionary.empty() &&
         deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(chunk.dictionary.data()),
                              static_cast<uInt>(chunk.dictionary.size())) != Z_OK)) {
        packed.failed = true;
        return packed;
    }
    scratch.resize(std::max<size_t>(scratch.size(), deflateBound(&stream, size) + kFlushRoom));
    stream.next_in = const_cast<Bytef*>(text);
    stream.avail_in = size;
    int flush = chunk.last ? Z_FINISH : Z_SYNC_FLUSH;
    size_t produced = 0;
    for (;;) {
        stream.next_out = scratch.data() + produced;
        stream.avail_out = static_cast<uInt>(scratch.size() - produced);
        int status = deflate(&stream, flush);
        produced = scratch.size() - stream.avail_out;
        if (status == Z_STREAM_ERROR) {
            packed.failed = true;
            break;
        }
        bool done =
            chunk.last ? status == Z_STREAM_END : stream.avail_in == 0 && stream.avail_out != 0;
        if (done) {
            break;
        }
        if (stream.avail_out == 0) {
            scratch.resize(scratch.size() * 2);
        }
    }
    packed.bytes.assign(scratch.begin(), scratch.begin() + static_cast<ptrdiff_t>(produced));
    return packed;
}

void DeflateFile::writeReady(std::unique_lock<std::mutex>& lock) {
    // One worker at a time writes, in chunk order; the others go back to compressing.
    if (writing_) {
        return;
    }
    writing_ = true;
    for (auto next = packed_.find(written_); next != packed_.end(); next = packed_.find(written_)) {
        Packed packed = std::move(next->second);
        packed_.erase(next);
        lock.unlock();
        size_t count = packed.bytes.size();
        bool ok = !packed.failed &&
                  (count == 0 || std::fwrite(packed.bytes.data(), 1, count, file_) == count);
        lock.lock();
        failed_ = failed_ || !ok;
        result_.crc = static_cast<uint32_t>(
            crc32_combine(result_.crc, packed.crc, static_cast<z_off_t>(packed.size)));
        result_.size += packed.size;
        result_.compressedSize += count;
        ++written_;
    }
    writing_ = false;
}

DeflatedFile DeflateFile::finish() {
    // The last chunk ends the stream, so it is handed over even when it is empty.
    submit(true);
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return written_ == submitted_; });
    }
    stopWorkers();
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok) {
        raise(kErrPermissionDenied, "The file \"" + result_.path + "\" could not be written.");
    }
    return result_;
}

}  // namespace bp::launcher
