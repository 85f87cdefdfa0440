#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "platform/Environment.h"
#include "platform/UserAccount.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

// The folder the system named in the user's environment (%APPDATA%, %LOCALAPPDATA%), as a
// user or a test may set it for one program, else the system's folder of that kind, else the
// home folder.
std::string knownFolder(const KNOWNFOLDERID& id, const char* variable) {
    std::string folder = environmentVariable(variable);
    if (folder.empty()) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
            folder = toUtf8(path);
        }
        ::CoTaskMemFree(path);
    }
    return folder.empty() ? userHomeFolder() : folder;
}

}  // namespace

// The account's security identifier ("S-1-5-21-..."), else the user name.
std::string userId() {
    HANDLE token = nullptr;
    std::string id;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<unsigned char> buffer(size);
        wchar_t* text = nullptr;
        if (size > 0 && ::GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
            ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid,
                                     &text)) {
            id = toUtf8(text);
            ::LocalFree(text);
        }
        ::CloseHandle(token);
    }
    return id.empty() ? environmentVariable("USERNAME") : id;
}

std::string userHomeFolder() {
    if (std::string profile = environmentVariable("USERPROFILE"); !profile.empty()) {
        return profile;
    }
    wchar_t temp[MAX_PATH + 1];
    DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    std::string folder = toUtf8(std::wstring_view(temp, length));
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder;
}

std::string userConfigFolder() {
    return knownFolder(FOLDERID_RoamingAppData, "APPDATA");
}

std::string userDataFolder() {
    return knownFolder(FOLDERID_LocalAppData, "LOCALAPPDATA");
}

}  // namespace bp::platform
