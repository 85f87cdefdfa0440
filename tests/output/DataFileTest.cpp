#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/Form.h"
#include "forms/ListView.h"
#include "output/DataFile.h"
#include "output/ReportDataset.h"
#include "output/ResultsList.h"
#include "platform/TestSupport.h"
#include "support/HostSession.h"
#include "support/KillDuringSaves.h"
#ifdef _WIN32
#include "support/HeldOpen.h"
#else
#include "support/FileSizeLimit.h"
#endif
#include "support/SessionSeed.h"

namespace bp::output {
namespace {

using platform::test::ScopedEnv;

const std::vector<std::string> kAllSales{"S00000000001", "S00000000002", "S00000000003",
                                         "S00000000004"};

// Runs the results list and the data file as a report run does, from a staged definition.
class DataFileTest : public testing::Test {
protected:
    DataFileTest() : host_(dataset::kReportDataset), form_(host_.ui, "frmMain") {
        lvw_ = &form_.add<forms::ListView>("lvwSales");
        for (int c = 1; c <= kMaxColumns; ++c) {
            lvw_->addColumn(std::to_string(c));
        }
    }

    void stage(std::initializer_list<std::pair<const char*, const char*>> keys) {
        for (const auto& [key, value] : keys) {
            host_.settings.SaveSetting("Report", key, value);
        }
    }
    // "1025\f27\f" from {1025, 27}
    static std::string items(std::initializer_list<const char*> parts) {
        std::string list;
        for (const char* p : parts) {
            list += std::string(p) + '\f';
        }
        return list;
    }
    void fields(std::initializer_list<const char*> ids, std::initializer_list<const char*> names) {
        host_.settings.SaveSetting("Report", "FieldsIncluded", items(ids));
        host_.settings.SaveSetting("Report", "FieldNamesIncluded", items(names));
    }

    // The data file a run writes for these sales, or "<not built>".
    std::string run(int outputType, const std::vector<std::string>& sales = kAllSales) {
        bp::test::SessionSeed::iOutputType(host_.session, outputType);
        ResultsList results(host_.session, *lvw_);
        if (!results.Fill_Listview(sales)) {
            return "<not built>";
        }
        if (!Write_File(host_.session, *lvw_, host_.session.bNameSortAdded())) {
            return "<not written>";
        }
        return platform::test::readFile(dataFilePath(host_.session));
    }

    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    bp::test::HostSession host_;
    forms::Form form_;
    forms::ListView* lvw_ = nullptr;
};

TEST_F(DataFileTest, ExportStartsWithTheFieldNamesAndQuotesEveryCell) {
    fields({"1025", "27"}, {"Company", "Status"});
    stage({{"Sort0", "1025"}, {"SortType0", "S"}, {"SortOrder0", "1"}});
    EXPECT_EQ(run(1),
              "\"Company\",\"Status\"\r\n"
              "\"Acme \"\"Best\"\" Ltd\",\"Sales Opportunity\"\r\n"
              "\"Acme \"\"Best\"\" Ltd\",\"Sales Opportunity\"\r\n"
              "\"beta gmbh\",\"Closed/Won Sale\"\r\n"
              "\"Zeta Inc\",\"Lost Sale\"\r\n");
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", ""), host_.file("data.CSV"));
}

TEST_F(DataFileTest, ReportHasNoHeaderAndUnsortedRowsComeInReverseOrder) {
    fields({"1", "1030"}, {"ID", "City"});
    EXPECT_EQ(run(0),
              "\"S00000000004\",\"Berlin\"\r\n"
              "\"S00000000003\",\"Austin\"\r\n"
              "\"S00000000002\",\"Boston\"\r\n"
              "\"S00000000001\",\"Berlin\"\r\n");
    EXPECT_EQ(host_.settings.GetSetting("Report", "SortCol0", ""), "-1");
}

TEST_F(DataFileTest, NameSortAddsASortColumnToTheReportButNotToTheExport) {
    fields({"1026", "1"}, {"Contact", "ID"});
    stage({{"Sort0", "1026"}, {"SortType0", "S"}, {"SortOrder0", "1"}});
    EXPECT_EQ(run(0),
              "\"Cy Adams\",\"S00000000003\",\"Adams, Cy\"\r\n"
              "\"Jo Smith\",\"S00000000004\",\"Smith, Jo\"\r\n"
              "\"Jo Smith\",\"S00000000001\",\"Smith, Jo\"\r\n"
              "\"Al Young\",\"S00000000002\",\"Young, Al\"\r\n");
    EXPECT_EQ(host_.settings.GetSetting("Report", "SortCol0", ""), "3");
    EXPECT_EQ(run(1),
              "\"Contact\",\"ID\"\r\n"
              "\"Cy Adams\",\"S00000000003\"\r\n"
              "\"Jo Smith\",\"S00000000004\"\r\n"
              "\"Jo Smith\",\"S00000000001\"\r\n"
              "\"Al Young\",\"S00000000002\"\r\n");
}

struct SortCase {
    const char* name;
    const char* sortField;
    const char* type;
    const char* order;
    const char* expectedIds;  // the first column, top to bottom
};

class DataFileSortTest : public DataFileTest, public testing::WithParamInterface<SortCase> {};

TEST_P(DataFileSortTest, OrdersByTheFirstSectionsColumn) {
    const SortCase& c = GetParam();
    fields({"1", "34", "35", "1025"}, {"ID", "Amount", "Created", "Company"});
    stage({{"Sort0", c.sortField}, {"SortType0", c.type}, {"SortOrder0", c.order}});
    std::string ids;
    for (const auto& row : (run(1), lvw_->rows())) {
        ids += std::string(row.cell(0).substr(10)) + " ";
    }
    EXPECT_EQ(ids, c.expectedIds);
}

INSTANTIATE_TEST_SUITE_P(
    Sorts, DataFileSortTest,
    testing::Values(SortCase{"NumberAscending", "34", "N", "1", "04 02 01 03 "},
                    SortCase{"NumberDescending", "34", "N", "2", "03 01 02 04 "},
                    SortCase{"DateAscending", "35", "D", "1", "02 01 04 03 "},
                    SortCase{"DateDescending", "35", "D", "2", "03 04 01 02 "},
                    // A text column that is not the first, compared without regard to case.
                    SortCase{"TextAscending", "1025", "S", "1", "04 01 02 03 "},
                    SortCase{"TextDescending", "1025", "S", "2", "03 02 04 01 "},
                    SortCase{"AbsentOrderIsAscending", "34", "N", "", "04 02 01 03 "}),
    [](const auto& param) { return std::string(param.param.name); });

// Dates drop their time and keep date-only and empty values; a line break inside a cell
// becomes a space.
TEST_F(DataFileTest, DateCellsAndLineBreaksAreWrittenAsTheBuilderReadsThem) {
    fields({"1", "31", "35", "36"}, {"ID", "Close", "Created", "Details"});
    EXPECT_EQ(run(0, {"S00000000002", "S00000000001"}),
              "\"S00000000001\",\"3/14/2026\",\"1/2/2025\",\"line one line two\"\r\n"
              "\"S00000000002\",\"\",\"12/24/2024\",\"\"\r\n");
}

TEST_F(DataFileTest, CustomSlotsShowTheContactFieldTheyName) {
    fields({"1", "994", "997", "950"}, {"ID", "Custom1", "Custom4", "Empty column"});
    stage({{"FieldID0", "30"}, {"FieldID3", "12"}});
    EXPECT_EQ(run(0, {"S00000000001"}), "\"S00000000001\",\"Berlin\",\"4/1/1980\",\"\"\r\n");
}

TEST_F(DataFileTest, GroupsShowRegionAndNameOrNoGroup) {
    fields({"1", "525", "6"}, {"ID", "Group", "Manager"});
    EXPECT_EQ(run(0),
              "\"S00000000004\",\"No_Group\",\"Bob Boss\"\r\n"
              "\"S00000000003\",\"No_Group\",\"\"\r\n"
              "\"S00000000002\",\"Partners\",\"Bob Boss\"\r\n"
              "\"S00000000001\",\"West: Key accounts\",\"Ann Admin\"\r\n");
}

TEST_F(DataFileTest, ForecastsUseTheRegionalDecimalSymbol) {
    fields({"1", "100", "101"}, {"ID", "Forecasted units", "Forecasted amount"});
    bp::test::SessionSeed::sDecimalSep(host_.session, ".");
    EXPECT_EQ(run(0),
              "\"S00000000004\",\"0\",\"2.5625\"\r\n"
              "\"S00000000003\",\"0\",\"0\"\r\n"
              "\"S00000000002\",\"10\",\"99\"\r\n"
              "\"S00000000001\",\"1.5\",\"625.25\"\r\n");
    ScopedEnv german("BRINDLEPATH_LOCALE", "de_DE");
    bp::test::SessionSeed::sDecimalSep(host_.session, ",");
    EXPECT_EQ(run(0, {"S00000000001"}), "\"S00000000001\",\"1,5\",\"625,25\"\r\n");
}

TEST_F(DataFileTest, ADefinitionWithoutFieldsSaysSoAndWritesNothing) {
    for (const char* list : {"", "\f"}) {
        host_.settings.SaveSetting("Report", "FieldsIncluded", list);
        EXPECT_EQ(run(1), "<not built>");
    }
    ASSERT_EQ(host_.ui.messages().size(), 2u);
    EXPECT_EQ(host_.ui.messages()[1].request.text,
              "Please check the settings for this report: no fields are to be included!");
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
}

TEST_F(DataFileTest, AnEmptyResultGivesTheHeaderOnly) {
    fields({"1025"}, {"Company"});
    EXPECT_EQ(run(1, {}), "\"Company\"\r\n");
    EXPECT_EQ(run(0, {}), "");
}

TEST_F(DataFileTest, MoreThanTwentySixColumnsAreRefused) {
    std::string ids;
    for (int i = 0; i < 27; ++i) {
        ids += "950\f";
    }
    host_.settings.SaveSetting("Report", "FieldsIncluded", ids);
    EXPECT_EQ(run(0), "<not built>");
    ASSERT_EQ(host_.ui.messages().size(), 1u);
    EXPECT_EQ(host_.ui.messages()[0].request.title, "brindlepath error");
}

TEST_F(DataFileTest, ADataFileThatCannotBeWrittenKeepsThePreviousOne) {
    fields({"1"}, {"ID"});
    std::string first = run(0);
    {
#ifdef _WIN32
        // Windows has no file size limit to fill the disk with: the report builder holds the
        // data file open instead, so the new one cannot take its place.
        bp::test::HeldOpen inUse(host_.file("data.CSV"));
        ASSERT_TRUE(inUse.active());
#else
        bp::test::FileSizeLimit diskFull(0);
        ASSERT_TRUE(diskFull.active());
#endif
        EXPECT_EQ(run(0, {"S00000000001"}), "<not written>");
    }
    EXPECT_EQ(bp::test::temporariesIn(host_.folder.path()), 0);
    EXPECT_EQ(platform::test::readFile(host_.file("data.CSV")), first);
    ASSERT_EQ(host_.ui.messages().size(), 1u);
#ifdef _WIN32
    EXPECT_EQ(host_.ui.messages()[0].request.text,
              "The data.CSV file can not be accessed. Make sure it is not open.");
#else
    EXPECT_EQ(host_.ui.messages()[0].request.title, "brindlepath error");
#endif
}

// A run killed at random points while it writes the data file, hundreds of times: the report
// builder always finds one whole data file.
TEST_F(DataFileTest, AWriterKilledAnywhereLeavesAWholeDataFile) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    const int kRows = 3000;
    auto line = [](long version, int row) {
        return "\"" + std::to_string(version) + "\",\"row " + std::to_string(row) + "\"\r\n";
    };
    auto content = [&](long version) {
        std::string text;
        for (int row = 0; row < kRows; ++row) {
            text += line(version, row);
        }
        return text;
    };
    auto fill = [&](long version) {
        lvw_->clearRows();
        for (int row = 0; row < kRows; ++row) {
            int at = lvw_->addRow(std::to_string(version));
            lvw_->setCell(at, 1, "row " + std::to_string(row));
        }
    };
    bp::test::SessionSeed::iOutputType(host_.session, 0);
    fill(0);
    ASSERT_TRUE(Write_File(host_.session, *lvw_, false));
    bp::test::KillRounds rounds;
    rounds.save = [&](long version) {
        fill(version);
        Write_File(host_.session, *lvw_, false);
    };
    rounds.versionOnDisk = [&] {
        std::ifstream in(dataFilePath(host_.session), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string now = s.str();
        long version = std::stol(now.substr(1, now.find('"', 1) - 1));
        EXPECT_EQ(now, content(version));
        return version;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, host_.folder.path()), 20);
    ASSERT_TRUE(Write_File(host_.session, *lvw_, false));
    EXPECT_EQ(bp::test::temporariesIn(host_.folder.path()), 0);
#endif
}

struct LineCase {
    std::vector<std::string> cells;
    std::string line;
};

class DataLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(DataLineTest, QuotesEveryCellDoublesQuotesAndJoinsCrLfPairs) {
    forms::ListViewRow row;
    row.setCells(GetParam().cells);
    EXPECT_EQ(dataLine(row, row.cellCount()), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DataLineTest,
    testing::Values(
        LineCase{{"plain", ""}, "\"plain\",\"\"\r\n"},
        LineCase{{"\"", "a\"\"b\""}, "\"\"\"\",\"a\"\"\"\"b\"\"\"\r\n"},
        LineCase{{"one\r\ntwo\r\n"}, "\"one two \"\r\n"},
        LineCase{{"lone\rcr", "lone\nlf", "end\r"}, "\"lone\rcr\",\"lone\nlf\",\"end\r\"\r\n"},
        LineCase{{"\r\r\n\n", "\"\r\n\"", "\r\"\n"}, "\"\r \n\",\"\"\" \"\"\",\"\r\"\"\n\"\r\n"},
        LineCase{{"cut\r", "\nnext"}, "\"cut\r\",\"\nnext\"\r\n"}));

// Cancels once the work has shown itself twice: at its phase and at its first rows.
class CancelAtSecondShow : public core::ProgressSink {
public:
    core::ProgressTiming timing() const override {
        return {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    }
    void show(const std::string&, double) override { ++shows; }
    bool cancelRequested() override { return shows >= 2; }
    int shows = 0;
};

// A cancel while the rows are written leaves the data file of the last finished run and no
// temporary beside it, and does not point the builder at anything new.
TEST_F(DataFileTest, ACancelWhileWritingKeepsTheEarlierDataFile) {
    bp::test::SessionSeed::iOutputType(host_.session, 0);
    std::ofstream(host_.file("data.CSV"), std::ios::binary) << "earlier";
    for (int row = 0; row < 3 * static_cast<int>(core::Progress::kStride); ++row) {
        lvw_->addRow("S" + std::to_string(row));
    }
    CancelAtSecondShow sink;
    core::ProgressScope scope(host_.session.progress, &sink);
    host_.session.progress.phase("Writing", static_cast<std::uint64_t>(lvw_->rowCount()));
    EXPECT_THROW(Write_File(host_.session, *lvw_, false), core::Cancelled);
    EXPECT_EQ(sink.shows, 2);
    EXPECT_EQ(bp::test::temporariesIn(host_.session.programFolder), 0);
    EXPECT_EQ(platform::test::readFile(host_.file("data.CSV")), "earlier");
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", ""), "");
}

}  // namespace
}  // namespace bp::output
