// brindlepath --screenshots DIR in the Windows edition, started on a demo host: the same
// pictures as the desktop front end takes, each a PNG of the window's size with something
// drawn on it.

#include <windows.h>

#include <gtest/gtest.h>

#include <wincodec.h>

#include <filesystem>
#include <set>
#include <string>

#include "act/sim/DemoGenerator.h"
#include "platform/PathText.h"
#include "platform/TestSupport.h"
#include "support/ProgramFiles.h"
#include "support/RunProgram.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

// How many distinct colours the picture at `path` holds (0 when it cannot be read), and its
// size.
struct Picture {
    UINT width = 0;
    UINT height = 0;
    std::size_t colours = 0;
};

Picture readPng(const std::filesystem::path& path) {
    Picture picture;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.wstring().c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(frame->GetSize(&picture.width, &picture.height)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom))) {
        std::vector<UINT> pixels(static_cast<std::size_t>(picture.width) * picture.height);
        if (SUCCEEDED(converter->CopyPixels(nullptr, picture.width * 4,
                                            static_cast<UINT>(pixels.size() * 4),
                                            reinterpret_cast<BYTE*>(pixels.data())))) {
            picture.colours = std::set<UINT>(pixels.begin(), pixels.end()).size();
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    CoUninitialize();
    return picture;
}

// The pictures the desktop front end keeps in docs/: every window, one per tab.
std::set<std::string> picturesOfTheOtherFrontEnd() {
    std::set<std::string> names;
    const auto docs = std::filesystem::path(BRINDLEPATH_TEST_SOURCE_DIR) / "docs";
    for (const auto& entry : std::filesystem::directory_iterator(docs)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("frm", 0) == 0 && entry.path().extension() == ".png") {
            names.insert(name);
        }
    }
    return names;
}

class ScreenshotsProgramTest : public testing::Test {
protected:
    ScreenshotsProgramTest() {
        bp::test::copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, folder_.file("program"));
        sim::DemoOptions options;
        options.contacts = 40;
        options.users = 4;
        sim::DemoGenerator::generate(folder_.file("host.db"), options);
    }

    bp::test::ProgramResult screenshots(const std::string& shots) {
        return bp::test::runProgram(bp::test::builtProgram("brindlepath"),
                                    {"--screenshots", shots});
    }

    platform::test::TempFolder folder_;
    platform::test::ScopedEnv home_{"BRINDLEPATH_HOME", folder_.file("program")};
    platform::test::ScopedEnv host_{"BRINDLEPATH_HOST", folder_.file("host.db")};
    platform::test::ScopedEnv settings_{"BRINDLEPATH_SETTINGS", folder_.file("settings.ini")};
    platform::test::ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
};

TEST_F(ScreenshotsProgramTest, EveryWindowAndEachTabIsPictured) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    const std::string shots = folder_.file("shots");
    const auto run = screenshots(shots);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(platform::pathFromUtf8(shots))) {
        written.insert(entry.path().filename().string());
    }
    EXPECT_EQ(written, picturesOfTheOtherFrontEnd());
    for (const std::string& name : written) {
        const Picture picture = readPng(platform::pathFromUtf8(shots) / name);
        EXPECT_NE(run.output.find(name), std::string::npos) << run.output;
        EXPECT_GT(picture.width, 100u) << name;
        EXPECT_GT(picture.height, 40u) << name;
        // Text, borders and the background: a blank or failed grab has one or two colours.
        EXPECT_GT(picture.colours, 8u) << name;
    }
    // The pictures are taken on a copy: the templates folder holds what it held before.
    EXPECT_FALSE(std::filesystem::exists(platform::pathFromUtf8(folder_.file("program")) /
                                         "Templates" / "Sales by Company.DXL"));
}

// Nobody answers a message in a picture run: start-up's complaint about a missing host is
// written out and the run ends instead of waiting for a click.
TEST_F(ScreenshotsProgramTest, AMissingHostIsNamedAndNothingWaits) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    const platform::test::ScopedEnv noHost("BRINDLEPATH_HOST", folder_.file("nowhere.db"));
    const auto run = screenshots(folder_.file("shots"));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("nowhere.db"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("the program did not start"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace bp::win::test
