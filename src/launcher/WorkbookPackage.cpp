#include "launcher/WorkbookPackage.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include <pugixml.hpp>

#include "launcher/BinaryTemplate.h"
#include "launcher/PlainWorkbook.h"
#include "launcher/XmlText.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace bp::launcher {
namespace {

constexpr const char* kContentTypes = "[Content_Types].xml";
// Far beyond any template's part (a title area, formats and a few hundred rows are well under a
// megabyte), yet small enough that a package of a few hundred KB whose part expands to this
// size is read and parsed within a desktop's memory: the parsed sheet takes many times its text.
constexpr zip_uint64_t kMaxPartBytes = zip_uint64_t{32} << 20;
constexpr zip_uint64_t kReadPiece = zip_uint64_t{1} << 20;
constexpr const char* kWorkbookType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
constexpr const char* kTemplateType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
constexpr const char* kCalcChainType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml";
constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";

pugi::xml_document parse(const std::string& xml, const std::string& part) {
    pugi::xml_document doc;
    if (!loadXmlPart(doc, xml, pugi::parse_default | pugi::parse_ws_pcdata_single)) {
        raise(kErrInvalidCall, "The part \"" + part + "\" of the template could not be read.");
    }
    return doc;
}

// Hands the archive a file of raw deflate data together with its sizes and checksum.
class DeflatedSource {
public:
    explicit DeflatedSource(DeflatedFile file) : file_(std::move(file)) { zip_error_init(&error_); }
    ~DeflatedSource() {
        closeFile();
        zip_error_fini(&error_);
    }
    DeflatedSource(const DeflatedSource&) = delete;
    DeflatedSource& operator=(const DeflatedSource&) = delete;

    static zip_int64_t call(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        auto* source = static_cast<DeflatedSource*>(self);
        if (command == ZIP_SOURCE_FREE) {
            delete source;
            return 0;
        }
        return source->answer(data, length, command);
    }

private:
    zip_int64_t answer(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
            case ZIP_SOURCE_OPEN:
                in_ = platform::openCFile(file_.path, "rb");
                return in_ ? 0 : fail(ZIP_ER_OPEN);
            case ZIP_SOURCE_READ: {
                size_t got = std::fread(data, 1, static_cast<size_t>(length), in_);
                return got < length && std::ferror(in_) ? fail(ZIP_ER_READ)
                                                        : static_cast<zip_int64_t>(got);
            }
            case ZIP_SOURCE_CLOSE:
                closeFile();
                return 0;
            case ZIP_SOURCE_STAT:
                return stat(data, length);
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&error_, data, length);
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                      ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
            default:
                return fail(ZIP_ER_OPNOTSUPP);
        }
    }

    zip_int64_t stat(void* data, zip_uint64_t length) {
        if (length < sizeof(zip_stat_t)) {
            return fail(ZIP_ER_INVAL);
        }
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = file_.size;
        st->comp_size = file_.compressedSize;
        st->comp_method = ZIP_CM_DEFLATE;
        st->crc = file_.crc;
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
        return sizeof(zip_stat_t);
    }

    zip_int64_t fail(int code) {
        zip_error_set(&error_, code, 0);
        return -1;
    }

    void closeFile() {
        if (in_) {
            std::fclose(in_);
            in_ = nullptr;
        }
    }

    DeflatedFile file_;
    std::FILE* in_ = nullptr;
    zip_error_t error_;
};

zip_source_t* deflatedSource(zip_t* archive, const DeflatedFile& file) {
    auto* state = new DeflatedSource(file);
    zip_source_t* source = zip_source_function(archive, &DeflatedSource::call, state);
    if (!source) {
        delete state;
    }
    return source;
}

std::string serialize(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw);
    return out.str();
}

std::string relsPartOf(const std::string& part) {
    size_t slash = part.rfind('/');
    std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + name + ".rels";
}

zip* openArchive(const std::string& path, int flags) {
    int error = 0;
    zip* archive = zip_open(path.c_str(), flags, &error);
    if (!archive) {
        raise(kErrFileNotFound, "\"" + path + "\" is not a spreadsheet file.");
    }
    return archive;
}

}  // namespace

std::string resolvePartPath(const std::string& sourcePart, const std::string& target) {
    if (!target.empty() && target.front() == '/') {
        return target.substr(1);
    }
    size_t slash = sourcePart.rfind('/');
    std::string path = slash == std::string::npos ? "" : sourcePart.substr(0, slash + 1);
    path += target;
    // Part names are UTF-8 with "/" on every system; generic_string() would give the ANSI
    // code page on Windows.
    std::u8string normal = std::filesystem::path(std::u8string(path.begin(), path.end()))
                               .lexically_normal()
                               .generic_u8string();
    return std::string(normal.begin(), normal.end());
}

WorkbookPackage::WorkbookPackage(zip* archive, std::string path)
    : archive_(archive), path_(std::move(path)) {}

WorkbookPackage::WorkbookPackage(WorkbookPackage&& other) noexcept
    : archive_(other.archive_),
      path_(std::move(other.path_)),
      buffers_(std::move(other.buffers_)),
      written_(std::move(other.written_)) {
    other.archive_ = nullptr;
}

WorkbookPackage::~WorkbookPackage() {
    if (archive_) {
        zip_discard(archive_);
    }
}

WorkbookPackage WorkbookPackage::fromTemplate(const std::string& templatePath,
                                              const std::string& outPath) {
    std::optional<std::string> found = platform::findFile(templatePath);
    if (!found) {
        raise(kErrFileNotFound, "The template \"" + templatePath + "\" was not found.");
    }
    std::string source = *found;
    if (isBinarySpreadsheet(source)) {
        source = openXmlTemplate(source);
    }
    std::error_code error;
    std::filesystem::copy_file(platform::pathFromUtf8(source), platform::pathFromUtf8(outPath),
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        raise(kErrPermissionDenied, "The template \"" + templatePath + "\" could not be copied.");
    }
    try {
        WorkbookPackage package(openArchive(outPath, 0), outPath);
        // Proves the copy is a spreadsheet before anything is built on it: every part the
        // report reads or rewrites, the content types included, must be readable now.
        package.firstSheetPart();
        package.stylesPart();
        package.contentTypes();
        return package;
    } catch (const Error& cause) {
        std::filesystem::remove(platform::pathFromUtf8(outPath), error);
        raise(kErrFileNotFound, "The template \"" + templatePath +
                                    "\" is not a usable spreadsheet file. " + cause.description());
    }
}

WorkbookPackage WorkbookPackage::plain(const std::string& outPath) {
    std::error_code error;
    std::filesystem::remove(platform::pathFromUtf8(outPath), error);
    WorkbookPackage package(openArchive(outPath, ZIP_CREATE | ZIP_EXCL), outPath);
    for (const auto& [name, content] : plainWorkbookParts()) {
        package.write(name, content);
    }
    return package;
}

bool WorkbookPackage::has(const std::string& part) const {
    return written_.contains(part) || zip_name_locate(archive_, part.c_str(), 0) >= 0;
}

std::string WorkbookPackage::read(const std::string& part) const {
    if (auto found = written_.find(part); found != written_.end()) {
        return *found->second;
    }
    zip_int64_t index = zip_name_locate(archive_, part.c_str(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
        raise(kErrFileNotFound, "The template has no part \"" + part + "\".");
    }
    if (stat.size > kMaxPartBytes) {
        raise(kErrFileNotFound, "The part \"" + part + "\" of the template is larger than " +
                                    std::to_string(kMaxPartBytes >> 20) + " MB.");
    }
    // The size is only what the package claims: the content grows as it really comes, so a
    // few bytes that claim a large part never take that much memory.
    std::string content;
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    bool ok = file != nullptr;
    while (ok && content.size() < stat.size) {
        size_t at = content.size();
        size_t piece = static_cast<size_t>(std::min<zip_uint64_t>(stat.size - at, kReadPiece));
        content.resize(at + piece);
        zip_int64_t got = zip_fread(file, content.data() + at, piece);
        ok = got == static_cast<zip_int64_t>(piece);
    }
    if (file) {
        zip_fclose(file);
    }
    if (!ok) {
        raise(kErrFileNotFound, "The part \"" + part + "\" of the template could not be read.");
    }
    if (part.ends_with(".xml") || part.ends_with(".rels")) {
        // Anything built on such a part would carry its bytes into the report unreadable.
        if (!platform::TextCodec::isUtf8(content)) {
            raise(kErrInvalidCall, "The part \"" + part + "\" of the template is not UTF-8 text.");
        }
    }
    return content;
}

void WorkbookPackage::write(const std::string& part, std::string content) {
    if (!platform::TextCodec::isUtf8(content)) {
        raise(kErrInvalidCall, "The report part \"" + part +
                                   "\" would not be readable text. The report was not built.");
    }
    const std::string& kept = buffers_.emplace_back(std::move(content));
    written_[part] = &kept;
    zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
    if (!source ||
        zip_file_add(archive_, part.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        if (source) {
            zip_source_free(source);
        }
        raise(kErrPermissionDenied, "The report part \"" + part + "\" could not be stored.");
    }
}

void WorkbookPackage::writeDeflated(const std::string& part, const DeflatedFile& file) {
    zip_source_t* source = deflatedSource(archive_, file);
    // The entry keeps the default method, so the archive copies the compressed bytes as they are
    // instead of compressing them again.
    if (!source ||
        zip_file_add(archive_, part.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        if (source) {
            zip_source_free(source);
        }
        raise(kErrPermissionDenied, "The report part \"" + part + "\" could not be stored.");
    }
}

void WorkbookPackage::remove(const std::string& part) {
    written_.erase(part);
    zip_int64_t index = zip_name_locate(archive_, part.c_str(), 0);
    if (index >= 0) {
        zip_delete(archive_, static_cast<zip_uint64_t>(index));
    }
}

std::string WorkbookPackage::workbookPart() const {
    pugi::xml_document rels = parse(read("_rels/.rels"), "_rels/.rels");
    for (auto rel : rels.child("Relationships").children("Relationship")) {
        if (std::string(rel.attribute("Type").as_string()) == kOfficeDocument) {
            return resolvePartPath("", rel.attribute("Target").as_string());
        }
    }
    raise(kErrFileNotFound, "The template holds no workbook.");
}

std::string WorkbookPackage::firstSheetPart() const {
    std::string workbook = workbookPart();
    pugi::xml_document book = parse(read(workbook), workbook);
    pugi::xml_node sheet = book.child("workbook").child("sheets").child("sheet");
    std::string id = sheet.attribute("r:id").as_string();
    std::string relsPart = relsPartOf(workbook);
    pugi::xml_document rels = parse(read(relsPart), relsPart);
    for (auto rel : rels.child("Relationships").children("Relationship")) {
        if (!id.empty() && id == rel.attribute("Id").as_string()) {
            return resolvePartPath(workbook, rel.attribute("Target").as_string());
        }
    }
    raise(kErrFileNotFound, "The template holds no sheet.");
}

std::string WorkbookPackage::relatedPart(const std::string& typeSuffix) const {
    std::string workbook = workbookPart();
    std::string relsPart = relsPartOf(workbook);
    pugi::xml_document rels = parse(read(relsPart), relsPart);
    for (auto rel : rels.child("Relationships").children("Relationship")) {
        if (std::string(rel.attribute("Type").as_string()).ends_with(typeSuffix)) {
            return resolvePartPath(workbook, rel.attribute("Target").as_string());
        }
    }
    return {};
}

std::string WorkbookPackage::stylesPart() const {
    std::string part = relatedPart("/styles");
    if (part.empty() || !has(part)) {
        raise(kErrFileNotFound, "The template holds no styles.");
    }
    return part;
}

std::string WorkbookPackage::sharedStringsPart() const {
    std::string part = relatedPart("/sharedStrings");
    return has(part) ? part : std::string();
}

pugi::xml_document WorkbookPackage::contentTypes() const {
    pugi::xml_document types = parse(read(kContentTypes), kContentTypes);
    if (!types.child("Types")) {
        raise(kErrInvalidCall, "Its part \"" + std::string(kContentTypes) + "\" lists no types.");
    }
    return types;
}

void WorkbookPackage::fixContentTypes() {
    pugi::xml_document types = contentTypes();
    pugi::xml_node root = types.child("Types");
    for (auto node = root.first_child(); node;) {
        auto next = node.next_sibling();
        std::string type = node.attribute("ContentType").as_string();
        if (type == kTemplateType) {
            node.attribute("ContentType") = kWorkbookType;
        } else if (type == kCalcChainType) {
            root.remove_child(node);
        }
        node = next;
    }
    write(kContentTypes, serialize(types));
}

void WorkbookPackage::fixWorkbook() {
    std::string workbook = workbookPart();
    std::string relsPart = relsPartOf(workbook);
    pugi::xml_document rels = parse(read(relsPart), relsPart);
    pugi::xml_node root = rels.child("Relationships");
    for (auto rel = root.first_child(); rel;) {
        auto next = rel.next_sibling();
        std::string type = rel.attribute("Type").as_string();
        if (type.ends_with("/calcChain")) {
            remove(resolvePartPath(workbook, rel.attribute("Target").as_string()));
            root.remove_child(rel);
        }
        rel = next;
    }
    write(relsPart, serialize(rels));

    pugi::xml_document book = parse(read(workbook), workbook);
    pugi::xml_node top = book.child("workbook");
    pugi::xml_node calc = top.child("calcPr");
    if (!calc) {
        // calcPr follows the defined names (or the sheets) in the workbook's fixed order.
        pugi::xml_node after =
            top.child("definedNames") ? top.child("definedNames") : top.child("sheets");
        calc = after ? top.insert_child_after("calcPr", after) : top.append_child("calcPr");
    }
    calc.remove_attribute("fullCalcOnLoad");
    calc.append_attribute("fullCalcOnLoad") = 1;
    write(workbook, serialize(book));
}

void WorkbookPackage::finish() {
    fixContentTypes();
    fixWorkbook();
    if (zip_close(archive_) != 0) {
        std::string reason = zip_strerror(archive_);
        raise(kErrPermissionDenied, "The report \"" + path_ + "\" could not be written: " + reason);
    }
    archive_ = nullptr;
}

}  // namespace bp::launcher
