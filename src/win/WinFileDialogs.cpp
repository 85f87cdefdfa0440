#include "win/WinFileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string_view>
#include <vector>

#include "act/automation/ComPtr.h"
#include "platform/WinText.h"
#include "win/DialogFailure.h"
#include "win/FileFilter.h"

namespace bp::win {
namespace {

using automation::ComPtr;

constexpr const char* kSaveDialog = "Save As dialog";
constexpr const char* kFolderDialog = "folder dialog";
// Long paths are allowed through the dialogs even where MAX_PATH would cut them.
constexpr DWORD kPathBuffer = 32768;

// The dialogs are COM objects that want a single-threaded apartment; a thread already in
// another one keeps it, and the dialog decides whether it can live there.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

template <typename Dialog>
ComPtr<Dialog> createDialog(REFCLSID type, REFIID iid) {
    void* created = nullptr;
    if (FAILED(CoCreateInstance(type, nullptr, CLSCTX_INPROC_SERVER, iid, &created))) {
        return {};
    }
    return ComPtr<Dialog>::adopt(static_cast<Dialog*>(created));
}

void check(HRESULT hr, const char* dialog) {
    if (FAILED(hr)) {
        raiseDialogFailure(dialog, hr);
    }
}

// A folder that does not exist (yet) leaves the dialog where the system would open it.
void startIn(IFileDialog& dialog, const std::string& folder) {
    if (folder.empty()) {
        return;
    }
    void* item = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(platform::toWide(folder).c_str(), nullptr,
                                              IID_IShellItem, &item))) {
        const auto shellItem = ComPtr<IShellItem>::adopt(static_cast<IShellItem*>(item));
        dialog.SetFolder(shellItem.get());
    }
}

// Runs the dialog; nullopt when the user cancelled.
std::optional<std::string> chosenPath(IFileDialog& dialog, HWND owner, const char* name) {
    const HRESULT shown = dialog.Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return std::nullopt;
    }
    check(shown, name);
    IShellItem* raw = nullptr;
    check(dialog.GetResult(&raw), name);
    const auto item = ComPtr<IShellItem>::adopt(raw);
    wchar_t* path = nullptr;
    check(item->GetDisplayName(SIGDN_FILESYSPATH, &path), name);
    std::string result = platform::toUtf8(path);
    CoTaskMemFree(path);
    return result;
}

void setOptions(IFileDialog& dialog, FILEOPENDIALOGOPTIONS add, FILEOPENDIALOGOPTIONS remove,
                const char* name) {
    FILEOPENDIALOGOPTIONS options = 0;
    check(dialog.GetOptions(&options), name);
    check(dialog.SetOptions((options & ~remove) | add), name);
}

bool sameLetters(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Some item dialogs compare extensions letter case and all, and add the default extension to a
// name that already ends in it in other letters ("Weekly.csv" saved as "Weekly.csv.CSV").
// Windows names files without regard to case, so the name the user typed is the one meant.
std::string withoutDoubledExtension(const std::string& path, const std::wstring& extension) {
    const std::wstring wide = platform::toWide(path);
    const std::size_t tail = extension.size() + 1;
    if (extension.empty() || wide.size() <= 2 * tail) {
        return path;
    }
    const std::wstring_view outer = std::wstring_view(wide).substr(wide.size() - tail);
    const std::wstring_view inner = std::wstring_view(wide).substr(wide.size() - 2 * tail, tail);
    if (outer != L"." + extension || !sameLetters(inner, outer) || inner == outer) {
        return path;
    }
    return platform::toUtf8(std::wstring_view(wide).substr(0, wide.size() - tail));
}

std::optional<std::string> itemSave(IFileSaveDialog& dialog, const forms::SaveFileRequest& request,
                                    HWND owner) {
    const std::vector<FileType> types = fileTypes(request.filter);
    const std::vector<COMDLG_FILTERSPEC> specs = filterSpecs(types);
    if (!specs.empty()) {
        check(dialog.SetFileTypes(static_cast<UINT>(specs.size()), specs.data()), kSaveDialog);
    }
    const std::wstring extension = defaultExtension(request.defaultExtension);
    if (!extension.empty()) {
        check(dialog.SetDefaultExtension(extension.c_str()), kSaveDialog);
    }
    // The program's working folder is its own: choosing a file never moves it.
    const FILEOPENDIALOGOPTIONS always = FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR;
    const FILEOPENDIALOGOPTIONS prompt = FOS_OVERWRITEPROMPT;
    setOptions(dialog, request.promptOverwrite ? always | prompt : always,
               request.promptOverwrite ? 0 : prompt, kSaveDialog);
    if (!request.title.empty()) {
        check(dialog.SetTitle(platform::toWide(request.title).c_str()), kSaveDialog);
    }
    if (!request.fileName.empty()) {
        check(dialog.SetFileName(platform::toWide(request.fileName).c_str()), kSaveDialog);
    }
    startIn(dialog, request.initialFolder);
    auto chosen = chosenPath(dialog, owner, kSaveDialog);
    if (!chosen || extension.empty()) {
        return chosen;
    }
    // FIXME: where the dialog doubled the extension it also asked about the doubled name, so
    // an existing file named as typed in other letters is replaced without a question.
    return withoutDoubledExtension(*chosen, extension);
}

// The shell's folder browser opens on the start folder once it is up.
int CALLBACK selectStartFolder(HWND window, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED && startFolder != 0) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, startFolder);
    }
    return 0;
}

}  // namespace

std::optional<std::string> saveFileDialog(const forms::SaveFileRequest& request, HWND owner) {
    const ComScope com;
    auto dialog = createDialog<IFileSaveDialog>(CLSID_FileSaveDialog, IID_IFileSaveDialog);
    if (!dialog) {
        return classicSaveFileDialog(request, owner);
    }
    return itemSave(*dialog.get(), request, owner);
}

std::optional<std::string> classicSaveFileDialog(const forms::SaveFileRequest& request,
                                                 HWND owner) {
    const std::wstring filter = classicFilter(fileTypes(request.filter));
    const std::wstring extension = defaultExtension(request.defaultExtension);
    const std::wstring title = platform::toWide(request.title);
    const std::wstring folder = platform::toWide(request.initialFolder);
    std::vector<wchar_t> path(kPathBuffer, L'\0');
    const std::wstring name = platform::toWide(request.fileName);
    name.copy(path.data(), path.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (request.promptOverwrite ? OFN_OVERWRITEPROMPT : 0);
    if (GetSaveFileNameW(&dialog)) {
        return platform::toUtf8(path.data());
    }
    const DWORD failure = CommDlgExtendedError();
    if (failure == 0) {
        return std::nullopt;
    }
    raiseCommonDialogFailure(kSaveDialog, failure);
}

std::optional<std::string> folderDialog(const std::string& title, const std::string& startFolder,
                                        HWND owner) {
    const ComScope com;
    auto dialog = createDialog<IFileOpenDialog>(CLSID_FileOpenDialog, IID_IFileOpenDialog);
    if (!dialog) {
        return classicFolderDialog(title, startFolder, owner);
    }
    setOptions(*dialog.get(), FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR, 0,
               kFolderDialog);
    if (!title.empty()) {
        check(dialog->SetTitle(platform::toWide(title).c_str()), kFolderDialog);
    }
    startIn(*dialog.get(), startFolder);
    return chosenPath(*dialog.get(), owner, kFolderDialog);
}

std::optional<std::string> classicFolderDialog(const std::string& title,
                                               const std::string& startFolder, HWND owner) {
    const ComScope com;
    const std::wstring caption = platform::toWide(title);
    const std::wstring start = platform::toWide(startFolder);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = caption.empty() ? nullptr : caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = selectStartFolder;
    browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    const BOOL onDisk = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!onDisk) {
        raiseDialogFailure(kFolderDialog, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    }
    return platform::toUtf8(path);
}

}  // namespace bp::win
