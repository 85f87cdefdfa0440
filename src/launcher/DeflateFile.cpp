#include "launcher/DeflateFile.h"

#include <zlib.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/PathText.h"

namespace bp::launcher {
namespace {

constexpr size_t kOutSize = 1 << 18;
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
}

DeflateFile::~DeflateFile() {
    if (file_) {
        deflateEnd(stream_.get());
        std::fclose(file_);
    }
}

void DeflateFile::append(std::string_view bytes) {
    while (!bytes.empty()) {
        size_t feed = std::min(bytes.size(), kMaxFeed);
        auto* in = reinterpret_cast<const Bytef*>(bytes.data());
        result_.crc = static_cast<uint32_t>(crc32(result_.crc, in, static_cast<uInt>(feed)));
        stream_->next_in = const_cast<Bytef*>(in);
        stream_->avail_in = static_cast<uInt>(feed);
        pump(Z_NO_FLUSH);
        result_.size += feed;
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
