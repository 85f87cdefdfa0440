#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

#include "platform/ConsoleOutput.h"
#include "platform/WinText.h"

namespace bp::platform {
namespace {

// Collects the UTF-8 the program writes and hands each whole character to the console as
// UTF-16; a character split between two writes waits for its last bytes.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            pending_ += traits_type::to_char_type(c);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        return count;
    }
    int sync() override {
        std::size_t whole = wholeUtf8Length(pending_);
        std::wstring wide = toWide(std::string_view(pending_).substr(0, whole));
        pending_.erase(0, whole);
        const wchar_t* at = wide.c_str();
        std::size_t left = wide.size();
        while (left > 0) {
            DWORD written = 0;
            DWORD chunk = left < 8192 ? static_cast<DWORD>(left) : DWORD{8192};
            if (!::WriteConsoleW(console_, at, chunk, &written, nullptr) || written == 0) {
                return -1;
            }
            at += written;
            left -= written;
        }
        return 0;
    }

private:
    HANDLE console_;
    std::string pending_;
};

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

}  // namespace

bool errorIsTerminal() {
    return isConsole(::GetStdHandle(STD_ERROR_HANDLE));
}

std::ostream& errorOutput() {
    HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
    if (!isConsole(handle)) {
        return std::cerr;
    }
    static ConsoleBuffer buffer(handle);
    static std::ostream console(&buffer);
    console.setf(std::ios::unitbuf);  // written at once, as standard error is
    return console;
}

}  // namespace bp::platform
