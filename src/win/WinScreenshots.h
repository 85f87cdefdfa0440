#pragma once
// Pictures of rendered windows: each window's client area as a PNG file in one folder, named
// after the form ("frmAbout.png"), or one picture per visible tab of each tab control, named
// "<form>-<tab>.png" ("frmMain-General.png"), written with the system's own imaging codecs.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bp::forms {
class TabControl;
}  // namespace bp::forms

namespace bp::win {

class WinFormWindow;

class WinScreenshots {
public:
    explicit WinScreenshots(std::string folder) : folder_(std::move(folder)) {}

    // Shows the window (hidden again afterwards if it was) and saves its pictures. The form's
    // current tabs are put back afterwards, and no tab's Click is raised on the way.
    bool capture(WinFormWindow& window);

    // The letters, digits, '_' and '-' of a tab's caption, for its picture's file name.
    static std::string fileNamePart(const std::string& caption);

    const std::vector<std::string>& written() const { return written_; }
    const std::vector<std::string>& failed() const { return failed_; }

private:
    bool save(WinFormWindow& window, const std::string& name);
    bool captureTabs(WinFormWindow& window, forms::TabControl& tabs);

    std::string folder_;
    std::vector<std::string> written_;
    std::vector<std::string> failed_;
};

// Writes the client area of `window`, with its menu bar if it has one, to `path` as a PNG;
// false when it could not.
bool savePng(HWND window, const std::string& path);

}  // namespace bp::win
