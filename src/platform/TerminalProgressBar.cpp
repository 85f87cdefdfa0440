#include "platform/TerminalProgressBar.h"

#include <cmath>

namespace bp::platform {

std::string TerminalProgressBar::line(const std::string& phase, double fraction) {
    std::string text = phase;
    if (fraction < 0) {
        return text + "...";
    }
    const int filled = static_cast<int>(std::floor(fraction * kBarWidth));
    const int percent = static_cast<int>(std::floor(fraction * 100));
    text += " [";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    text += "] " + std::to_string(percent) + "%";
    return text;
}

void TerminalProgressBar::show(const std::string& phase, double fraction) {
    std::string text = line(phase, fraction);
    // A shorter line covers what is left of the longer one before it.
    const std::size_t length = text.size();
    if (length < drawn_) {
        text.append(drawn_ - length, ' ');
    }
    out_ << '\r' << text << std::flush;
    drawn_ = length;
}

void TerminalProgressBar::wipe() {
    if (drawn_ == 0) {
        return;
    }
    out_ << '\r' << std::string(drawn_, ' ') << '\r' << std::flush;
    drawn_ = 0;
}

}  // namespace bp::platform
