#pragma once
// Whole reads and writes on a file descriptor: a system call may move fewer bytes than asked
// or be interrupted by a signal, and both cases go on until everything is moved. False on any
// other failure, with errno telling why.

#include <cstddef>
#include <string>

namespace bp::platform {

// Appends the rest of the file to `text`.
bool readAll(int fd, std::string& text);
bool writeAll(int fd, const char* data, std::size_t size);
// Copies the rest of `from` to `to`.
bool copyAll(int from, int to);

}  // namespace bp::platform
