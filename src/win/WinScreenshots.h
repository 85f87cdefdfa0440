#pragma once
// Pictures of rendered windows: each window's client area as a PNG file in one folder, named
// after the form ("frmAbout.png"), written with the system's own imaging codecs.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bp::win {

class WinFormWindow;

class WinScreenshots {
public:
    explicit WinScreenshots(std::string folder) : folder_(std::move(folder)) {}

    // Shows the window (hidden again afterwards if it was) and saves its picture.
    bool capture(WinFormWindow& window);

    const std::vector<std::string>& written() const { return written_; }
    const std::vector<std::string>& failed() const { return failed_; }

private:
    std::string folder_;
    std::vector<std::string> written_;
    std::vector<std::string> failed_;
};

// Writes the client area of `window` to `path` as a PNG; false when it could not.
bool savePng(HWND window, const std::string& path);

}  // namespace bp::win
