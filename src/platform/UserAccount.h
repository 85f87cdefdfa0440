#pragma once
// The user the program runs as. One implementation per system (PosixUserAccount.cpp,
// WinUserAccount.cpp).

#include <string>

namespace bp::platform {

// A number that tells this user from the others on the machine.
std::string userId();
// The user's home folder: $HOME, else the account's own, else the temporary folder.
std::string userHomeFolder();

}  // namespace bp::platform
