#pragma once
// Assertions on the message boxes a ScriptedUi recorded, for the tests of every layer:
//
//     EXPECT_TRUE(showedMessages(ui, {{"Two custom fields are the same!", "Brindlepath",
//                                      MsgIcon::Exclamation}}));
//
// A failure lists every recorded message, so a changed text is easy to spot.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "forms/ScriptedUi.h"

namespace bp::forms::testing {

struct ExpectedMessage {
    std::string text;
    std::optional<std::string> title;
    std::optional<MsgIcon> icon;
    std::optional<MsgButtons> buttons;
    std::optional<int> defaultButton;
};

inline bool matches(const MessageRequest& seen, const ExpectedMessage& want) {
    return seen.text == want.text && (!want.title || seen.title == *want.title) &&
           (!want.icon || seen.icon == *want.icon) &&
           (!want.buttons || seen.buttons == *want.buttons) &&
           (!want.defaultButton || seen.defaultButton == *want.defaultButton);
}

inline std::string describeMessages(const ScriptedUi& ui) {
    std::ostringstream out;
    out << ui.messages().size() << " message(s) shown";
    for (const auto& m : ui.messages()) {
        out << "\n  [" << m.request.title << "] \"" << m.request.text
            << "\" icon=" << toString(m.request.icon)
            << " buttons=" << static_cast<int>(m.request.buttons)
            << " default=" << m.request.defaultButton << " -> " << toString(m.answer);
    }
    return out.str();
}

// Some recorded message matches.
inline ::testing::AssertionResult showedMessage(const ScriptedUi& ui, const ExpectedMessage& want) {
    for (const auto& m : ui.messages()) {
        if (matches(m.request, want)) {
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure()
           << "no message \"" << want.text << "\"; " << describeMessages(ui);
}

// Exactly these messages, in this order.
inline ::testing::AssertionResult showedMessages(const ScriptedUi& ui,
                                                 const std::vector<ExpectedMessage>& want) {
    const auto& seen = ui.messages();
    bool same = seen.size() == want.size();
    for (std::size_t i = 0; same && i < seen.size(); ++i) {
        same = matches(seen[i].request, want[i]);
    }
    if (same) {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream expected;
    for (const auto& w : want) {
        expected << "\n  \"" << w.text << "\"";
    }
    return ::testing::AssertionFailure()
           << "expected " << want.size() << " message(s):" << expected.str() << "\n"
           << describeMessages(ui);
}

inline ::testing::AssertionResult showedNoMessage(const ScriptedUi& ui) {
    if (ui.messages().empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << describeMessages(ui);
}

}  // namespace bp::forms::testing
