// The libraries the Windows build makes from Debian sources, used the way the program uses
// them: a database file, a zip package and an XML part written to disk and read back, with a
// file name outside ASCII where the library takes UTF-8 names.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <zip.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

class ThirdPartyLibraries : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() / ("bp-third-party-" + std::to_string(seed()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string utf8Path(const std::u8string& name) const {
        const std::u8string path = (folder_ / name).u8string();
        return {path.begin(), path.end()};
    }

    fs::path folder_;
};

std::string querySingleText(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    std::string text = "<no row>";
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    return text;
}

TEST_F(ThirdPartyLibraries, SqliteKeepsRowsInAFileWithAUtf8Name) {
    const std::string path = utf8Path(u8"Kontakte-Grüße.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db, "CREATE TABLE sales(name TEXT); INSERT INTO sales VALUES('Müller GmbH')",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);

    EXPECT_TRUE(fs::exists(folder_ / u8"Kontakte-Grüße.db"));
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(querySingleText(db, "SELECT name FROM sales"), "Müller GmbH");
    sqlite3_close(db);
}

std::string readEntry(zip_t* archive, const char* name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name, 0, &stat) != 0) {
        return "<missing>";
    }
    std::string data(stat.size, '\0');
    zip_file_t* entry = zip_fopen(archive, name, 0);
    const zip_int64_t got = entry ? zip_fread(entry, data.data(), data.size()) : -1;
    if (entry) {
        zip_fclose(entry);
    }
    return got == static_cast<zip_int64_t>(data.size()) ? data : "<unreadable>";
}

TEST_F(ThirdPartyLibraries, LibzipWritesAndReadsADeflatedPackage) {
    const std::string path = utf8Path(u8"Bericht-Übersicht.xlsx");
    const std::string sheet(20000, 'x');
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    zip_source_t* source = zip_source_buffer(archive, sheet.data(), sheet.size(), 0);
    const zip_int64_t index =
        zip_file_add(archive, "xl/worksheets/sheet1.xml", source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0);
    ASSERT_EQ(
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9), 0);
    ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);

    EXPECT_LT(fs::file_size(folder_ / u8"Bericht-Übersicht.xlsx"), sheet.size() / 10);
    archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    EXPECT_EQ(readEntry(archive, "xl/worksheets/sheet1.xml"), sheet);
    zip_discard(archive);
}

TEST_F(ThirdPartyLibraries, PugixmlSavesAndLoadsAPart) {
    const fs::path file = folder_ / "workbook.xml";
    pugi::xml_document written;
    written.append_child("workbook").append_child("sheet").append_attribute("name") = "Übersicht";
    ASSERT_TRUE(written.save_file(file.wstring().c_str()));

    pugi::xml_document read;
    ASSERT_TRUE(read.load_file(file.wstring().c_str()));
    EXPECT_STREQ(read.child("workbook").child("sheet").attribute("name").value(), "Übersicht");
}

}  // namespace
