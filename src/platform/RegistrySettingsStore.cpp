#include "platform/RegistrySettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "core/CaseFold.h"
#include "platform/AppInfo.h"
#include "platform/Environment.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileSettingsStore.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

class Key {
public:
    Key() = default;
    explicit Key(HKEY handle) : handle_(handle) {}
    ~Key() {
        if (handle_ != nullptr) {
            ::RegCloseKey(handle_);
        }
    }
    Key(Key&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Key& operator=(Key&&) = delete;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HKEY handle_ = nullptr;
};

struct Value {
    std::wstring name;
    std::wstring data;
};

[[noreturn]] void raiseRegistryError(LSTATUS status, const std::wstring& path,
                                     bp::SourceLine where = bp::SourceLine::current()) {
    int number = status == ERROR_ACCESS_DENIED ? kErrPermissionDenied : kErrPathFileAccess;
    raise(number,
          standardErrorText(number) + " (HKEY_CURRENT_USER\\" + toUtf8(path) + ": " +
              systemErrorText(errnoFromWindows(static_cast<unsigned long>(status))) + ")",
          where);
}

Key openKey(HKEY parent, const std::wstring& name, REGSAM access) {
    HKEY handle = nullptr;
    return ::RegOpenKeyExW(parent, name.c_str(), 0, access, &handle) == ERROR_SUCCESS ? Key(handle)
                                                                                      : Key();
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<std::wstring> matching(const std::vector<std::wstring>& names,
                                     std::string_view wanted) {
    std::string folded = core::foldCase(wanted);
    for (const std::wstring& name : names) {
        if (core::foldCase(toUtf8(name)) == folded) {
            return name;
        }
    }
    return std::nullopt;
}

std::vector<std::wstring> subkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];  // the longest key name the registry allows, and its end
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name, length);
    }
}

// A string value's text without the terminating zero the registry usually stores with it.
std::wstring textOf(const std::vector<BYTE>& bytes, DWORD size) {
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), size / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

// The string values of a key; values of other types are not settings and are left out. A
// value that grows while it is read starts the reading over.
std::vector<Value> stringValues(HKEY key) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        DWORD maxName = 0;
        DWORD maxData = 0;
        if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
            return {};
        }
        std::vector<Value> values;
        std::wstring name(maxName + 1, L'\0');
        std::vector<BYTE> data(maxData + sizeof(wchar_t));
        LSTATUS status = ERROR_SUCCESS;
        for (DWORD i = 0; status == ERROR_SUCCESS; ++i) {
            DWORD nameLength = maxName + 1;
            DWORD size = maxData;
            DWORD type = 0;
            status = ::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(),
                                     &size);
            if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
                values.push_back({name.substr(0, nameLength), textOf(data, size)});
            }
        }
        if (status == ERROR_NO_MORE_ITEMS) {
            return values;
        }
    }
    return {};
}

// The registry finds a name in any case by itself; only outside ASCII may its own table and
// Unicode case folding differ, and only then are the names compared one by one.
std::optional<std::wstring> valueName(HKEY section, std::string_view key) {
    std::wstring wide = toWide(key);
    if (::RegQueryValueExW(section, wide.c_str(), nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
        return wide;
    }
    if (isAscii(key)) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    for (Value& value : stringValues(section)) {
        names.push_back(std::move(value.name));
    }
    return matching(names, key);
}

std::optional<std::wstring> sectionName(HKEY application, std::string_view section) {
    std::wstring wide = toWide(section);
    if (openKey(application, wide, KEY_READ)) {
        return wide;
    }
    return isAscii(section) ? std::nullopt : matching(subkeyNames(application), section);
}

Key openSection(const std::wstring& keyPath, std::string_view section, REGSAM access) {
    Key application = openKey(HKEY_CURRENT_USER, keyPath, KEY_READ);
    std::optional<std::wstring> name =
        application ? sectionName(application.get(), section) : std::nullopt;
    return name ? openKey(application.get(), *name, access) : Key();
}

Key createKey(HKEY parent, const std::wstring& name, const std::wstring& path) {
    HKEY handle = nullptr;
    LSTATUS status = ::RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) {
        raiseRegistryError(status, path);
    }
    return Key(handle);
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string application)
    : keyPath_(L"Software\\VB and VBA Program Settings\\" + toWide(application)) {}

std::string RegistrySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                              std::string_view defaultValue) const {
    Key sectionKey = openSection(keyPath_, section, KEY_READ);
    std::optional<std::wstring> name = sectionKey ? valueName(sectionKey.get(), key) : std::nullopt;
    if (!name) {
        return std::string(defaultValue);
    }
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    LSTATUS status = ERROR_MORE_DATA;
    // A value rewritten between the two calls may have grown: ask again.
    while (status == ERROR_MORE_DATA) {
        data.resize(size + sizeof(wchar_t));
        size = static_cast<DWORD>(data.size());
        status =
            ::RegQueryValueExW(sectionKey.get(), name->c_str(), nullptr, &type, data.data(), &size);
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string(defaultValue);
    }
    return toUtf8(textOf(data, size));
}

void RegistrySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                        std::string_view value) {
    if (section.empty() || key.empty()) {
        raise(kErrInvalidCall, "Invalid procedure call or argument: empty setting name");
    }
    Key application = createKey(HKEY_CURRENT_USER, keyPath_, keyPath_);
    std::optional<std::wstring> existing = sectionName(application.get(), section);
    std::wstring sectionPath = keyPath_ + L"\\" + existing.value_or(toWide(section));
    Key sectionKey = createKey(application.get(), existing.value_or(toWide(section)), sectionPath);
    std::wstring name = valueName(sectionKey.get(), key).value_or(toWide(key));
    std::wstring text = toWide(value);
    LSTATUS status = ::RegSetValueExW(sectionKey.get(), name.c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(text.c_str()),
                                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        raiseRegistryError(status, sectionPath);
    }
}

void RegistrySettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    Key sectionKey = openSection(keyPath_, section, KEY_READ | KEY_SET_VALUE);
    std::optional<std::wstring> name = sectionKey ? valueName(sectionKey.get(), key) : std::nullopt;
    if (!name) {
        return;
    }
    LSTATUS status = ::RegDeleteValueW(sectionKey.get(), name->c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        raiseRegistryError(status, keyPath_ + L"\\" + toWide(section));
    }
}

void RegistrySettingsStore::DeleteSetting(std::string_view section) {
    Key application = openKey(HKEY_CURRENT_USER, keyPath_, KEY_ALL_ACCESS);
    std::optional<std::wstring> name =
        application ? sectionName(application.get(), section) : std::nullopt;
    if (!name) {
        return;
    }
    // Named by a subkey, the tree goes together with the section's key itself.
    LSTATUS status = ::RegDeleteTreeW(application.get(), name->c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        raiseRegistryError(status, keyPath_ + L"\\" + *name);
    }
}

SettingPairs RegistrySettingsStore::GetAllSettings(std::string_view section) const {
    Key sectionKey = openSection(keyPath_, section, KEY_READ);
    if (!sectionKey) {
        return {};
    }
    std::vector<std::pair<std::string, SettingPairs::value_type>> sorted;
    for (const Value& value : stringValues(sectionKey.get())) {
        std::string name = toUtf8(value.name);
        sorted.push_back({core::foldCase(name), {name, toUtf8(value.data)}});
    }
    std::sort(sorted.begin(), sorted.end());
    SettingPairs pairs;
    for (auto& [folded, pair] : sorted) {
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

// The registry, unless BRINDLEPATH_SETTINGS names a settings file (tests, and a user who
// wants the file the Linux edition writes).
std::unique_ptr<SettingsStore> openUserSettings() {
    if (std::string path = environmentVariable("BRINDLEPATH_SETTINGS"); !path.empty()) {
        return std::make_unique<FileSettingsStore>(path);
    }
    return std::make_unique<RegistrySettingsStore>(std::string(kAppName));
}

}  // namespace bp::platform
