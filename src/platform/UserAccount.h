#pragma once
// The user the program runs as. One implementation per system (PosixUserAccount.cpp,
// WinUserAccount.cpp).

#include <string>

namespace bp::platform {

// A number that tells this user from the others on the machine.
std::string userId();
// The user's home folder: $HOME, else the account's own, else the temporary folder.
std::string userHomeFolder();
// Where the user's settings files go: $XDG_CONFIG_HOME, else ~/.config; on Windows the
// roaming application data folder (%APPDATA%).
std::string userConfigFolder();
// Where the user's data files go: $XDG_DATA_HOME, else ~/.local/share; on Windows the local
// application data folder (%LOCALAPPDATA%).
std::string userDataFolder();

}  // namespace bp::platform
