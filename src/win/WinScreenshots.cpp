#include "win/WinScreenshots.h"

#include <wincodec.h>

#include <algorithm>
#include <cctype>

#include "forms/TabControl.h"
#include "platform/PathText.h"
#include "platform/WinText.h"
#include "win/WinFormWindow.h"

namespace bp::win {
namespace {

// Releases a COM interface when it goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

// Lets the window and its controls paint everything they have queued.
void paintWindowNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message{};
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        // The display server shows a new window's contents a moment after it maps it.
        Sleep(40);
    }
}

// What a picture of the window shows, in the window's client coordinates: the client area, and
// the menu bar above it when the window has one, as the user sees them.
RECT pictureArea(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    MENUBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (GetMenu(window) != nullptr && GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) {
        POINT top{bar.rcBar.left, bar.rcBar.top};
        ScreenToClient(window, &top);
        area.top = std::min(area.top, top.y);
    }
    return area;
}

// A copy of the picture's area, as a device-independent bitmap the codec can read. It is
// read from the screen, where the window is on top: a window's own device context does not
// reach its menu bar.
HBITMAP copyPictureArea(HWND window, SIZE& size) {
    RECT area = pictureArea(window);
    size = SIZE{area.right - area.left, area.bottom - area.top};
    if (size.cx <= 0 || size.cy <= 0) {
        return nullptr;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    HDC source = GetDC(nullptr);
    HDC target = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(target, bitmap);
        BitBlt(target, 0, 0, size.cx, size.cy, source, area.left, area.top, SRCCOPY);
        SelectObject(target, old);
    }
    DeleteDC(target);
    ReleaseDC(nullptr, source);
    return bitmap;
}

bool encodePng(HBITMAP bitmap, SIZE size, const std::wstring& path) {
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put())))) {
        return false;
    }
    ComRef<IWICBitmap> source;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha,
                                                      source.put())) &&
           SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(size.cx), static_cast<UINT>(size.cy))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WriteSource(source.get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

}  // namespace

bool savePng(HWND window, const std::string& path) {
    SIZE size{};
    HBITMAP bitmap = copyPictureArea(window, size);
    if (bitmap == nullptr) {
        return false;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool saved = encodePng(bitmap, size, platform::toWide(path));
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    DeleteObject(bitmap);
    return saved;
}

std::string WinScreenshots::fileNamePart(const std::string& caption) {
    std::string result;
    for (const char c : caption) {
        const auto byte = static_cast<unsigned char>(c);
        // Bytes of letters outside ASCII are kept whole; '&' marks an access key.
        if (std::isalnum(byte) != 0 || c == '_' || c == '-' || byte >= 0x80) {
            result += c;
        }
    }
    return result;
}

bool WinScreenshots::capture(WinFormWindow& window) {
    const bool wasVisible = IsWindowVisible(window.hwnd()) != FALSE;
    window.show();
    paintWindowNow(window.hwnd());
    bool ok = true;
    bool anyTabs = false;
    for (forms::Control* control : window.form().controls()) {
        if (control->kind() == forms::ControlKind::TabControl) {
            anyTabs = true;
            ok = captureTabs(window, static_cast<forms::TabControl&>(*control)) && ok;
        }
    }
    if (!anyTabs) {
        ok = save(window, window.form().name());
    }
    if (!wasVisible) {
        ShowWindow(window.hwnd(), SW_HIDE);
    }
    return ok;
}

bool WinScreenshots::captureTabs(WinFormWindow& window, forms::TabControl& tabs) {
    const int current = tabs.tab();
    bool ok = true;
    for (int page = 0; page < tabs.tabs(); ++page) {
        if (!tabs.tabVisible(page)) {
            continue;
        }
        // Quietly: the pictures must not run what leaving or entering a tab runs.
        tabs.setTab(page, forms::Announcement::BeQuiet);
        paintWindowNow(window.hwnd());
        ok = save(window, window.form().name() + "-" + fileNamePart(tabs.tabCaption(page))) && ok;
    }
    if (current >= 0) {
        tabs.setTab(current, forms::Announcement::BeQuiet);
    }
    return ok;
}

bool WinScreenshots::save(WinFormWindow& window, const std::string& name) {
    const std::string path = platform::joinPath(folder_, name + ".png");
    const bool saved = savePng(window.hwnd(), path);
    (saved ? written_ : failed_).push_back(path);
    return saved;
}

}  // namespace bp::win
