#pragma once
// Ctrl+C during long work run from a terminal. While a watch lives, the first Ctrl+C is only
// noted, so the work can stop at its next look and leave nothing half written; the second one
// ends the process at once, as it would without the watch, for work that no longer looks.
// POSIX systems catch SIGINT; Windows consoles report Ctrl+C and Ctrl+Break to a handler.

namespace bp::platform {

class InterruptWatch {
public:
    // Forgets a Ctrl+C noted before and starts listening; one watch at a time.
    InterruptWatch();
    // Gives Ctrl+C back to the handling there was before.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // Ctrl+C was pressed since the watch began. Cheap enough to ask at every progress look.
    static bool requested() noexcept;
    // What the system's handler does on the first Ctrl+C; safe inside a signal handler.
    static void note() noexcept;

private:
    static void clear() noexcept;
    // The system's part: install() takes the first Ctrl+C, restore() undoes it.
    static void install();
    static void restore();
};

}  // namespace bp::platform
