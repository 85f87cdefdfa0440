// brindlepath --screenshots DIR in the Windows edition: one picture per dialog it draws, each
// a PNG of the window's size with something drawn on it.

#include <windows.h>

#include <gtest/gtest.h>

#include <wincodec.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/PathText.h"
#include "platform/TestSupport.h"
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

TEST(ScreenshotsProgramTest, EveryDrawnDialogIsPictured) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    const platform::test::TempFolder folder;
    const std::string shots = folder.file("shots");
    const auto run =
        bp::test::runProgram(bp::test::builtProgram("brindlepath"), {"--screenshots", shots});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* form : {"frmAbout", "frmNew", "frmRename", "frmTemplateFolder"}) {
        const std::filesystem::path path =
            platform::pathFromUtf8(shots) / (std::string(form) + ".png");
        EXPECT_NE(run.output.find(form), std::string::npos) << run.output;
        const Picture picture = readPng(path);
        EXPECT_GT(picture.width, 100u) << form;
        EXPECT_GT(picture.height, 40u) << form;
        // Text, borders and the background: a blank or failed grab has one or two colours.
        EXPECT_GT(picture.colours, 8u) << form;
    }
}

}  // namespace
}  // namespace bp::win::test
