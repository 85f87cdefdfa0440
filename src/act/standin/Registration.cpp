#include "act/standin/Registration.h"

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <objbase.h>

#include <optional>

#include "act/automation/ComFailure.h"
#include "act/standin/ServerClasses.h"
#include "platform/Error.h"
#include "platform/WinText.h"

namespace bp::standin {

namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes\\";

std::wstring clsidText(const CLSID& clsid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, 40);
    return text;
}

[[noreturn]] void raiseRegistry(const std::wstring& key, LONG code) {
    raise(kErrPermissionDenied,
          "Cannot write the registry key " + platform::toUtf8(key) + ": " +
              automation::systemMessage(HRESULT_FROM_WIN32(static_cast<DWORD>(code))));
}

void writeValue(HKEY root, const std::wstring& key, const wchar_t* name,
                const std::wstring& value) {
    HKEY opened = nullptr;
    LONG code = ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (code == ERROR_SUCCESS) {
        code =
            ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(opened);
    }
    if (code != ERROR_SUCCESS) {
        raiseRegistry(key, code);
    }
}

std::optional<std::wstring> readValue(HKEY root, const std::wstring& key) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (::RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

// `prefix` is where the classes live under `root`: "Software\Classes\" or nothing.
void writeClasses(HKEY root, const std::wstring& prefix, const std::wstring& dllPath) {
    for (const ServerClass& serverClass : serverClasses()) {
        const std::wstring progId = platform::toWide(serverClass.progId);
        const std::wstring description = platform::toWide(serverClass.description);
        const std::wstring clsid = clsidText(serverClass.clsid);
        const std::wstring classKey = prefix + L"CLSID\\" + clsid;
        writeValue(root, prefix + progId, nullptr, description);
        writeValue(root, prefix + progId + L"\\CLSID", nullptr, clsid);
        writeValue(root, classKey, nullptr, description);
        writeValue(root, classKey + L"\\InprocServer32", nullptr, dllPath);
        writeValue(root, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        writeValue(root, classKey + L"\\ProgID", nullptr, progId);
    }
}

// Whether the classes root (what CLSIDFromProgID and CoCreateInstance read) shows this
// registration. Windows merges the user's classes into it; Wine does not, and there an
// older registration in the machine's classes may still name another library.
bool visibleToCom(const std::wstring& dllPath) {
    for (const ServerClass& serverClass : serverClasses()) {
        const std::wstring progId = platform::toWide(serverClass.progId);
        const std::wstring clsid = clsidText(serverClass.clsid);
        if (readValue(HKEY_CLASSES_ROOT, progId + L"\\CLSID") != clsid ||
            readValue(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\InprocServer32") != dllPath) {
            return false;
        }
    }
    return true;
}

void deleteTree(HKEY root, const std::wstring& key) {
    const LONG code = ::RegDeleteTreeW(root, key.c_str());
    if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) {
        raiseRegistry(key, code);
    }
    // RegDeleteTreeW empties the key; the key itself goes separately.
    const LONG gone = ::RegDeleteKeyW(root, key.c_str());
    if (gone != ERROR_SUCCESS && gone != ERROR_FILE_NOT_FOUND) {
        raiseRegistry(key, gone);
    }
}

void removeClasses(HKEY root, const std::wstring& prefix) {
    for (const ServerClass& serverClass : serverClasses()) {
        const std::wstring progId = platform::toWide(serverClass.progId);
        const std::wstring clsid = clsidText(serverClass.clsid);
        // The program ids are the real host's too: only a program id that names this
        // server's class is ours to remove.
        if (readValue(root, prefix + progId + L"\\CLSID") == clsid) {
            deleteTree(root, prefix + progId);
        }
        deleteTree(root, prefix + L"CLSID\\" + clsid);
    }
}

}  // namespace

void registerServer(const std::string& dllPath) {
    const std::wstring path = platform::toWide(dllPath);
    writeClasses(HKEY_CURRENT_USER, kUserClasses, path);
    if (!visibleToCom(path)) {
        writeClasses(HKEY_CLASSES_ROOT, L"", path);
    }
}

void unregisterServer() {
    removeClasses(HKEY_CURRENT_USER, kUserClasses);
    removeClasses(HKEY_CLASSES_ROOT, L"");
}

}  // namespace bp::standin
