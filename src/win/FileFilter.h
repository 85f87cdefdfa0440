#pragma once
// The program describes file types as "CSV Files (*.CSV)|*.CSV", description and pattern
// pairs joined by "|"; the system's dialogs want them as separate strings.

#include <windows.h>

#include <shobjidl.h>

#include <string>
#include <vector>

namespace bp::win {

struct FileType {
    std::wstring description;
    std::wstring pattern;  // "*.CSV", or several joined by ";"
};

// Blank pairs are dropped; a trailing pattern without a description describes itself.
std::vector<FileType> fileTypes(const std::string& filter);
// The pairs as COMDLG_FILTERSPEC, pointing into `types`, which must outlive the result.
std::vector<COMDLG_FILTERSPEC> filterSpecs(const std::vector<FileType>& types);
// The pairs as the classic dialog's NUL-separated list, ending in two NULs.
std::wstring classicFilter(const std::vector<FileType>& types);
// "CSV", ".CSV" and "*.CSV" all name the extension the dialogs want as "CSV".
std::wstring defaultExtension(const std::string& extension);

}  // namespace bp::win
