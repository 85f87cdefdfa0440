#include "launcher/DeflateFile.h"

#include <zlib.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/PathText.h"

namespace bp::launcher {
namespace {

constexpr size_t kOutSize = 1 << 18;
constexpr size_t kChunkSize = 1 << 20;
// Chunks waiting for the worker: enough to keep both busy, few enough to hold little memory.
constexpr size_t kMaxWaiting = 3;
// A zip entry holds deflate data without the zlib header and trailer.
constexpr int kRawWindowBits = -15;
constexpr int kMemLevel = 8;
// zlib counts input in 32-bit units.
constexpr size_t kMaxFeed = 1u << 30;

}  // namespace

DeflateFile::DeflateFile(const std::string& path, int level)
    : file_(platform::openCFile(path, "wb")),
      stream_(std::make_unique<z_stream_s>()),
      out_(kOutSize) {
    result_.path = path;
    result_.crc = static_cast<uint32_t>(crc32(0L, Z_NULL, 0));
    if (!file_) {
        raise(kErrPermissionDenied, "The file \"" + path + "\" could not be created.");
    }
    if (deflateInit2(stream_.get(), level, Z_DEFLATED, kRawWindowBits, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        std::fclose(file_);
        file_ = nullptr;
        raise(kErrOutOfMemory, "There is not enough memory to compress the report.");
    }
    pending_.reserve(kChunkSize);
    worker_ = std::thread([this] { compressChunks(); });
}

DeflateFile::~DeflateFile() {
    if (file_) {
        stopWorker();
        deflateEnd(stream_.get());
        std::fclose(file_);
    }
}

void DeflateFile::stopWorker() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void DeflateFile::append(std::string_view bytes) {
    while (!bytes.empty()) {
        size_t room = kChunkSize - std::min(kChunkSize, pending_.size());
        size_t take = std::min(room, bytes.size());
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (pending_.size() >= kChunkSize) {
            submit();
        }
    }
}

void DeflateFile::submit() {
    // The checksum is taken here, beside the compression, so both threads share the work.
    result_.crc =
        static_cast<uint32_t>(crc32(result_.crc, reinterpret_cast<const Bytef*>(pending_.data()),
                                    static_cast<uInt>(pending_.size())));
    result_.size += pending_.size();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return chunks_.size() < kMaxWaiting; });
    chunks_.push_back(std::move(pending_));
    pending_.clear();
    if (!spare_.empty()) {
        pending_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    pending_.reserve(kChunkSize);
    changed_.notify_all();
}

void DeflateFile::compressChunks() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !chunks_.empty() || ending_; });
        if (chunks_.empty()) {
            return;
        }
        std::string chunk = std::move(chunks_.front());
        chunks_.pop_front();
        lock.unlock();
        changed_.notify_all();
        compress(chunk);
        chunk.clear();
        lock.lock();
        spare_.push_back(std::move(chunk));
    }
}

void DeflateFile::compress(std::string_view bytes) {
    while (!bytes.empty()) {
        size_t feed = std::min(bytes.size(), kMaxFeed);
        auto* in = reinterpret_cast<const Bytef*>(bytes.data());
        stream_->next_in = const_cast<Bytef*>(in);
        stream_->avail_in = static_cast<uInt>(feed);
        pump(Z_NO_FLUSH);
        bytes.remove_prefix(feed);
    }
}

void DeflateFile::pump(int flush) {
    int status = Z_OK;
    do {
        stream_->next_out = out_.data();
        stream_->avail_out = static_cast<uInt>(out_.size());
        status = deflate(stream_.get(), flush);
        size_t produced = out_.size() - stream_->avail_out;
        if (status == Z_STREAM_ERROR ||
            (produced > 0 && std::fwrite(out_.data(), 1, produced, file_) != produced)) {
            failed_ = true;
        }
        result_.compressedSize += produced;
    } while (stream_->avail_out == 0 || (flush == Z_FINISH && status == Z_OK));
}

DeflatedFile DeflateFile::finish() {
    if (!pending_.empty()) {
        submit();
    }
    stopWorker();
    pump(Z_FINISH);
    deflateEnd(stream_.get());
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok) {
        raise(kErrPermissionDenied, "The file \"" + result_.path + "\" could not be written.");
    }
    return result_;
}

}  // namespace bp::launcher
