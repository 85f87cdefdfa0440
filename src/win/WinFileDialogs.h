#pragma once
// The desktop's Save As and folder dialogs. Each returns the chosen path in UTF-8, an empty
// optional when the user cancels, and raises bp::Error when the dialog cannot be shown.

#include <windows.h>

#include <optional>
#include <string>

#include "forms/UiService.h"

namespace bp::win {

// The common item dialog, or the classic one where the item dialog cannot be created.
std::optional<std::string> saveFileDialog(const forms::SaveFileRequest& request, HWND owner);
std::optional<std::string> classicSaveFileDialog(const forms::SaveFileRequest& request, HWND owner);

// A folder that exists on disk; the item dialog in folder mode, or the shell's folder
// browser where the item dialog cannot be created.
std::optional<std::string> folderDialog(const std::string& title, const std::string& startFolder,
                                        HWND owner);
std::optional<std::string> classicFolderDialog(const std::string& title,
                                               const std::string& startFolder, HWND owner);

}  // namespace bp::win
