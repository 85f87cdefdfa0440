// A big package part compressed as it is written, then carried into the package as it is.

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <random>
#include <string>

#include "launcher/DeflateFile.h"
#include "launcher/WorkbookPackage.h"
#include "platform/Error.h"

namespace bp::launcher {
namespace {

namespace fs = std::filesystem;

class DeflateFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("bp-deflate-" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The part as a reader finds it; the reader checks the stored checksum and size.
    static std::string readPart(const std::string& package, const std::string& part,
                                zip_stat_t& stat) {
        int error = 0;
        zip_t* archive = zip_open(package.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
        EXPECT_NE(archive, nullptr) << "zip error " << error;
        if (!archive) {
            return {};
        }
        zip_stat_init(&stat);
        zip_stat(archive, part.c_str(), 0, &stat);
        std::string content;
        if (zip_file_t* file = zip_fopen(archive, part.c_str(), 0)) {
            char buffer[65536];
            zip_int64_t got = 0;
            while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
                content.append(buffer, static_cast<size_t>(got));
            }
            EXPECT_EQ(got, 0) << "reading the part failed";
            zip_fclose(file);
        }
        zip_close(archive);
        return content;
    }

    // A package holding `done` as its sheet, read back as a reader finds it.
    std::string packagedSheet(const DeflatedFile& done, zip_stat_t& stat) const {
        std::string package = (dir_ / "book.xlsx").string();
        {
            WorkbookPackage book = WorkbookPackage::plain(package);
            book.writeDeflated("xl/worksheets/sheet1.xml", done);
            book.finish();
        }
        return readPart(package, "xl/worksheets/sheet1.xml", stat);
    }

    fs::path dir_;
};

// Rows of sheet text with some noise, larger than the buffers on the way.
std::string sheetText(size_t rows) {
    std::mt19937 random(3);
    std::string text = "<sheetData>";
    for (size_t r = 1; r <= rows; ++r) {
        text += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\"><v>" +
                std::to_string(random()) + "</v></c></row>";
    }
    return text + "</sheetData>";
}

TEST_F(DeflateFileTest, PartReadsBackWithItsChecksumAndSizes) {
    std::string text = sheetText(60000);
    std::string scratch = (dir_ / "sheet.part").string();
    DeflateFile file(scratch, DeflateFile::kSheetLevel);
    // Fed in uneven pieces, as rows come.
    for (size_t at = 0; at < text.size(); at += 70001) {
        file.append(std::string_view(text).substr(at, 70001));
    }
    DeflatedFile done = file.finish();
    EXPECT_EQ(done.size, text.size());
    EXPECT_EQ(done.compressedSize, fs::file_size(scratch));
    EXPECT_LT(done.compressedSize, text.size() / 2);

    zip_stat_t stat;
    EXPECT_EQ(packagedSheet(done, stat), text);
    EXPECT_EQ(stat.comp_method, ZIP_CM_DEFLATE);
    // Copied as compressed, not compressed a second time.
    EXPECT_EQ(stat.comp_size, done.compressedSize);
}

// However many workers share the compression and wherever the text ends (an exact number of
// chunks included, and no text at all), the pieces make one stream that reads back as the text.
TEST_F(DeflateFileTest, PartReadsBackWhateverTheWorkersAndLength) {
    const std::string rows = sheetText(250000);
    const size_t lengths[] = {
        0, 1, (size_t{1} << 20) - 1, size_t{2} << 20, (size_t{3} << 20) + 17, rows.size()};
    for (unsigned workers : {1u, 2u, 4u}) {
        for (size_t length : lengths) {
            ASSERT_LE(length, rows.size());
            std::string text = rows.substr(0, length);
            std::string scratch = (dir_ / "sheet.part").string();
            DeflateFile file(scratch, DeflateFile::kSheetLevel, workers);
            for (size_t at = 0; at < text.size(); at += 300007) {
                file.append(std::string_view(text).substr(at, 300007));
            }
            DeflatedFile done = file.finish();
            EXPECT_EQ(done.size, text.size());
            EXPECT_EQ(done.compressedSize, fs::file_size(scratch));
            zip_stat_t stat;
            EXPECT_TRUE(packagedSheet(done, stat) == text)
                << workers << " workers, " << length << " bytes";
        }
    }
}

// A build that fails half-way drops its sheet unfinished.
TEST_F(DeflateFileTest, UnfinishedFileIsDroppedCleanly) {
    std::string text = sheetText(100000);
    {
        DeflateFile file((dir_ / "sheet.part").string(), DeflateFile::kSheetLevel);
        file.append(text);
    }
    EXPECT_TRUE(fs::exists(dir_ / "sheet.part"));
}

TEST_F(DeflateFileTest, FileThatCannotBeCreatedIsAnError) {
    EXPECT_THROW(DeflateFile((dir_ / "missing" / "sheet.part").string(), 1), Error);
}

}  // namespace
}  // namespace bp::launcher
