#pragma once
// One fixture for the report builder: a temporary program folder, settings store and data file
// (BRINDLEPATH_SETTINGS, BRINDLEPATH_HOME and BRINDLEPATH_NO_LAUNCH point there), a staged
// definition written in the store's own file format, and a desktop that records what it is asked.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "XlsxReader.h"
#include "launcher/LaunchCommand.h"
#include "platform/FileSettingsStore.h"
#include "platform/TestSupport.h"

namespace bp::launcher::test {

class RecordingDesktop : public Desktop {
public:
    void open(const std::string& path) override { opened.push_back(path); }
    void message(MessageKind kind, const std::string& text) override {
        (kind == MessageKind::Error ? errors : warnings).push_back(text);
    }
    std::vector<std::string> opened;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
};

using Keys = std::map<std::string, std::string>;
using Rows = std::vector<std::vector<std::string>>;

// Keys merged left to right.
inline Keys with(Keys base, const Keys& more) {
    for (const auto& [k, v] : more) {
        base[k] = v;
    }
    return base;
}

class LauncherTest : public testing::Test {
public:
    void SetUp() override {
        namespace fs = std::filesystem;
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        dir_ = fs::path(testing::TempDir()) / ("bp-launch-" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        settingsPath_ = (dir_ / "settings.ini").string();
        dataPath_ = (dir_ / "data.CSV").string();
        outPath_ = (dir_ / "out" / "report.xlsx").string();
        environment_.emplace_back(
            std::make_unique<ScopedEnv>("BRINDLEPATH_SETTINGS", settingsPath_));
        environment_.emplace_back(std::make_unique<ScopedEnv>("BRINDLEPATH_HOME", dir_.string()));
        environment_.emplace_back(std::make_unique<ScopedEnv>("BRINDLEPATH_NO_LAUNCH", "1"));
    }
    void TearDown() override {
        environment_.clear();
        std::filesystem::remove_all(dir_);
    }

    // Rows as the program writes them: quoted cells, inner quotes doubled, CR LF.
    void writeData(const Rows& rows) {
        std::ofstream out(dataPath_, std::ios::binary);
        for (const auto& row : rows) {
            for (size_t i = 0; i < row.size(); ++i) {
                std::string cell = row[i];
                for (size_t at = cell.find('"'); at != std::string::npos;
                     at = cell.find('"', at + 2)) {
                    cell.insert(at, 1, '"');
                }
                out << (i ? "," : "") << '"' << cell << '"';
            }
            out << "\r\n";
        }
    }

    // The store file with "Settings"/"DataFile" and the staged definition; "\f" is written
    // "%0C" as the store escapes it.
    void stage(const Keys& report, const Keys& settings = {}) {
        std::ofstream out(settingsPath_, std::ios::binary);
        out << "[Settings]\nDataFile=" << dataPath_ << "\n";
        for (const auto& [k, v] : settings) {
            out << k << "=" << escaped(v) << "\n";
        }
        out << "[Report]\n";
        for (const auto& [k, v] : report) {
            out << k << "=" << escaped(v) << "\n";
        }
    }

    // FieldsIncluded and FieldNamesIncluded for these field IDs, captions from the table.
    static Keys fields(const std::vector<std::pair<int, std::string>>& columns) {
        std::string ids, names;
        for (const auto& [id, caption] : columns) {
            ids += std::to_string(id) + "\f";
            names += caption + "\f";
        }
        return {{"FieldsIncluded", ids}, {"FieldNamesIncluded", names}, {"Totals99", "0"}};
    }

    int run(LaunchOptions options = {}) {
        if (options.outPath.empty() && useOutPath_) {
            options.outPath = outPath_;
        }
        platform::FileSettingsStore settings(settingsPath_);
        LaunchCommand command(settings, desktop_, regional_);
        if (progress_) {
            command.reportTo(*progress_);
        }
        return command.run(options, BuildDate{2026, 3, 20}, "2026-03-20 10.00.00");
    }

    XlsxReader report() const { return XlsxReader(outPath_); }
    std::string lastError() const { return desktop_.errors.empty() ? "" : desktop_.errors.back(); }
    // The names in `folder`, sorted; none when it does not exist.
    static std::vector<std::string> namesIn(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        if (std::filesystem::exists(folder)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // A report of `columns` on `templ`, which the build must find unusable: it completes with
    // one warning naming the plain workbook, and the first row lands where the definition puts
    // it (A4).
    void buildOnUnusableTemplate(const std::string& templ, const Keys& columns) {
        desktop_.warnings.clear();
        writeData({{"Acme", "100"}});
        stage(with(columns, {{"Path", templ}, {"TopLeftRow", "4"}}));
        ASSERT_EQ(run(), kExitDone) << lastError();
        ASSERT_EQ(desktop_.warnings.size(), 1u);
        EXPECT_NE(desktop_.warnings[0].find("plain workbook"), std::string::npos)
            << desktop_.warnings[0];
        EXPECT_EQ(report().text("A4"), "Acme");
    }
    std::string setting(const std::string& section, const std::string& key) const {
        return platform::FileSettingsStore(settingsPath_).GetSetting(section, key, "<absent>");
    }
    std::string starterTemplate() const {
        return std::string(BP_PROGRAM_DIR) + "/brindlepath_template.XLT";
    }

    static std::string escaped(const std::string& value) {
        std::string out;
        for (char c : value) {
            out += c == '\f'  ? std::string("%0C")
                   : c == '%' ? std::string("%25")
                              : std::string(1, c);
        }
        return out;
    }

    using ScopedEnv = platform::test::ScopedEnv;

    std::filesystem::path dir_;
    std::vector<std::unique_ptr<ScopedEnv>> environment_;
    std::string settingsPath_;
    std::string dataPath_;
    std::string outPath_;
    bool useOutPath_ = true;
    Regional regional_;
    RecordingDesktop desktop_;
    core::Progress* progress_ = nullptr;  // what a build reports to, when set
};

// A report of one column, the company.
inline const Keys kOneColumn = LauncherTest::fields({{1025, "Company"}});

}  // namespace bp::launcher::test
