#include "win/WinScreenshots.h"

#include <wincodec.h>

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
void paintNow(HWND window) {
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

// A copy of the window's client area, as a device-independent bitmap the codec can read.
HBITMAP copyClientArea(HWND window, SIZE& size) {
    RECT client{};
    GetClientRect(window, &client);
    size = SIZE{client.right, client.bottom};
    if (size.cx <= 0 || size.cy <= 0) {
        return nullptr;
    }
    HDC source = GetDC(window);
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
        BitBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(target, old);
    }
    DeleteDC(target);
    ReleaseDC(window, source);
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
    HBITMAP bitmap = copyClientArea(window, size);
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

bool WinScreenshots::capture(WinFormWindow& window) {
    const bool wasVisible = IsWindowVisible(window.hwnd()) != FALSE;
    window.show();
    paintNow(window.hwnd());
    const std::string path = platform::joinPath(folder_, window.form().name() + ".png");
    const bool saved = savePng(window.hwnd(), path);
    (saved ? written_ : failed_).push_back(path);
    if (!wasVisible) {
        ShowWindow(window.hwnd(), SW_HIDE);
    }
    return saved;
}

}  // namespace bp::win
