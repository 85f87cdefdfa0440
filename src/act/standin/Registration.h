#pragma once
// Making the server's program ids known to COM for the current user, and forgetting them.

#include <string>

namespace bp::standin {

// Registers every server class with `dllPath` (the full path of the server library) as its
// in-process server. Running it again replaces an earlier registration. Raises bp::Error when
// the registry cannot be written.
void registerServer(const std::string& dllPath);
// Removes what registerServer wrote; nothing registered is not an error.
void unregisterServer();

}  // namespace bp::standin
