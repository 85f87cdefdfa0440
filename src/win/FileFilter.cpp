#include "win/FileFilter.h"

#include "platform/WinText.h"

namespace bp::win {
namespace {

std::wstring trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::vector<std::wstring> parts(const std::wstring& text) {
    std::vector<std::wstring> result;
    std::size_t start = 0;
    for (std::size_t bar = text.find(L'|'); bar != std::wstring::npos;
         bar = text.find(L'|', start)) {
        result.push_back(trimmed(text.substr(start, bar - start)));
        start = bar + 1;
    }
    result.push_back(trimmed(text.substr(start)));
    return result;
}

}  // namespace

std::vector<FileType> fileTypes(const std::string& filter) {
    const std::vector<std::wstring> pieces = parts(platform::toWide(filter));
    std::vector<FileType> types;
    std::size_t i = 0;
    for (; i + 1 < pieces.size(); i += 2) {
        if (pieces[i + 1].empty()) {
            continue;  // a description of nothing would show a type that lists no files
        }
        const std::wstring& description = pieces[i].empty() ? pieces[i + 1] : pieces[i];
        types.push_back({description, pieces[i + 1]});
    }
    if (i < pieces.size() && !pieces[i].empty()) {
        types.push_back({pieces[i], pieces[i]});
    }
    return types;
}

std::vector<COMDLG_FILTERSPEC> filterSpecs(const std::vector<FileType>& types) {
    std::vector<COMDLG_FILTERSPEC> specs;
    for (const FileType& type : types) {
        specs.push_back({type.description.c_str(), type.pattern.c_str()});
    }
    return specs;
}

std::wstring classicFilter(const std::vector<FileType>& types) {
    std::wstring list;
    for (const FileType& type : types) {
        list += type.description;
        list += L'\0';
        list += type.pattern;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::wstring defaultExtension(const std::string& extension) {
    std::wstring wide = trimmed(platform::toWide(extension));
    const auto start = wide.find_first_not_of(L"*.");
    return start == std::wstring::npos ? std::wstring() : wide.substr(start);
}

}  // namespace bp::win
