// The one message every routine shows when it fails, and how the guard returns.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "RecordingUi.h"
#include "core/Progress.h"
#include "platform/Conversions.h"
#include "platform/Error.h"
#include "platform/ErrorHandler.h"

namespace bp::platform {
namespace {

class ErrorHandlerTest : public ::testing::Test {
protected:
    test::RecordingUi ui_;
};

TEST_F(ErrorHandlerTest, ASubShowsTheCommonMessage) {
    int line = 0;
    bool completed = guarded(ui_, Routine{"frmMain", "cmdOK_Click", RoutineKind::Sub}, [&] {
        line = __LINE__ + 1;
        raise(kErrTypeMismatch, "Type mismatch");
    });
    EXPECT_FALSE(completed);
    ASSERT_EQ(ui_.messages.size(), 1u);
    const forms::MessageRequest& shown = ui_.messages[0];
    EXPECT_EQ(shown.title, "brindlepath error");
    EXPECT_EQ(shown.buttons, forms::MsgButtons::OK);
    EXPECT_EQ(shown.icon, forms::MsgIcon::None);
    EXPECT_EQ(shown.text, "Error 13: 'Type mismatch'\rin frmMain: Sub cmdOK_Click - Line # " +
                              std::to_string(line) +
                              "\r\rPlease contact support@brindlepath.example with this error "
                              "message.");
}

TEST_F(ErrorHandlerTest, AFunctionIsNamedAsOne) {
    ErrorReport report{53, "File not found", 120};
    EXPECT_EQ(errorMessageText(report, Routine{"Library1", "Load_DefFile", RoutineKind::Function}),
              "Error 53: 'File not found'\rin Library1: Function Load_DefFile - Line # 120\r\r"
              "Please contact support@brindlepath.example with this error message.");
}

TEST_F(ErrorHandlerTest, LibraryRoutinesReportInTheirOwnForm) {
    showLibraryError(ui_, ErrorReport{75, "Path/File access error", 30},
                     Routine{"Library1", "Update_DefFile", RoutineKind::Function});
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].title, "Error in Library1: Function Update_DefFile");
    EXPECT_EQ(ui_.messages[0].text, "Path/File access error\r\r(Error #75)");
    EXPECT_EQ(ui_.messages[0].icon, forms::MsgIcon::None);
    EXPECT_EQ(ui_.messages[0].buttons, forms::MsgButtons::OK);
}

TEST_F(ErrorHandlerTest, ExtraLinesGoBeforeTheClosingRequest) {
    std::string amount = "12x";
    bool completed = guarded(
        ui_, Routine{"frmMain", "FormatData", RoutineKind::Function},
        [&] { CDbl(amount, Locale("en_US")); },
        [&] { return "Parameters:\r30='50'\r34='" + amount + "'\rDec='.'"; });
    EXPECT_FALSE(completed);
    ASSERT_EQ(ui_.messages.size(), 1u);
    const std::string& text = ui_.messages[0].text;
    std::string tail =
        "\r\rParameters:\r30='50'\r34='12x'\rDec='.'\r\r"
        "Please contact support@brindlepath.example with this error message.";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_TRUE(text.starts_with("Error 13: 'Type mismatch'\rin frmMain: Function FormatData"));
}

TEST_F(ErrorHandlerTest, ABodyThatSucceedsShowsNothing) {
    int result = 0;
    EXPECT_TRUE(guarded(ui_, Routine{"frmMain", "Form_Load"}, [&] { result = 7; }));
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(ui_.messages.empty());
}

// A cancelled run is not an error: it passes every guard to the run's caller unannounced.
TEST_F(ErrorHandlerTest, ACancelPassesTheGuardWithoutAMessage) {
    EXPECT_THROW(guarded(ui_, Routine{"frmMain", "Fill_Listview", RoutineKind::Function},
                         [] { throw core::Cancelled(); }),
                 core::Cancelled);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ErrorHandlerTest, TheRoutineKeepsWhatItBuiltBeforeTheError) {
    std::vector<std::string> collected;
    guarded(ui_, Routine{"Library2", "Select_ID", RoutineKind::Function}, [&] {
        for (const char* text : {"1", "2", "x", "4"}) {
            collected.push_back(std::to_string(CLng(text, Locale("en_US"))));
        }
    });
    EXPECT_EQ(collected, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(ErrorHandlerTest, OtherFailuresGetAFittingNumber) {
    struct Row {
        std::function<void()> body;
        int number;
        std::string description;
    };
    const std::vector<Row> rows = {
        {[] { throw std::out_of_range("vector index"); }, kErrSubscript, "vector index"},
        {[] { throw std::bad_alloc(); }, kErrOutOfMemory, "Out of memory"},
        {[] { throw std::runtime_error("host gone"); }, kErrInternal, "host gone"},
        {[] { throw 42; }, kErrInternal, "Internal error"},
    };
    for (const Row& row : rows) {
        ErrorReport report = reportOf([&] {
            try {
                row.body();
            } catch (...) {
                return std::current_exception();
            }
            return std::exception_ptr{};
        }());
        EXPECT_EQ(report.number, row.number) << row.description;
        EXPECT_EQ(report.description, row.description);
    }
}

}  // namespace
}  // namespace bp::platform
