// Text read from files in UTF-8 or the Windows-1252 code page.

#include <gtest/gtest.h>

#include <string>

#include "platform/TextCodec.h"

namespace bp::platform {
namespace {

TEST(TextCodec, WellFormedUtf8IsRecognised) {
    EXPECT_TRUE(TextCodec::isUtf8(""));
    EXPECT_TRUE(TextCodec::isUtf8("plain ASCII"));
    EXPECT_TRUE(TextCodec::isUtf8("Größe € Łódź \xF0\x9F\x98\x80"));
    const char* malformed[] = {
        "Gr\xF6\xDF"
        "e",                 // Windows-1252 letters
        "\x80",              // a lone continuation byte
        "\xC3",              // a sequence cut short
        "\xC0\xAF",          // an overlong "/"
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
    };
    for (const char* bytes : malformed) {
        EXPECT_FALSE(TextCodec::isUtf8(bytes)) << bytes;
        EXPECT_EQ(TextCodec::detect(bytes), TextEncoding::Windows1252) << bytes;
    }
}

TEST(TextCodec, TheCodePageMapsEveryByte) {
    EXPECT_EQ(TextCodec::fromWindows1252("Gr\xF6\xDF"
                                         "e \x80 \x93x\x94 \x9F"),
              "Größe € “x” Ÿ");
    // The five unassigned bytes keep their own code points.
    EXPECT_EQ(TextCodec::fromWindows1252("\x81\x8D\x8F\x90\x9D"),
              "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    std::string all;
    for (int byte = 0; byte < 0x100; ++byte) {
        all += static_cast<char>(byte);
    }
    std::string text = TextCodec::fromWindows1252(all);
    EXPECT_TRUE(TextCodec::isUtf8(text));
    EXPECT_EQ(TextCodec::toWindows1252(text), all);
}

TEST(TextCodec, CharactersOutsideTheCodePageHaveNoBytes) {
    EXPECT_EQ(TextCodec::toWindows1252("Größe €"),
              "Gr\xF6\xDF"
              "e \x80");
    EXPECT_EQ(TextCodec::toWindows1252("Łódź"), std::nullopt);
    EXPECT_EQ(TextCodec::toWindows1252("\xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(TextCodec::toWindows1252("\xFF"), std::nullopt);  // no UTF-8 to begin with
}

TEST(TextCodec, BytesAreReadInTheirDetectedEncoding) {
    EXPECT_EQ(TextCodec::toUtf8("Größe", TextEncoding::Utf8), "Größe");
    EXPECT_EQ(TextCodec::toUtf8("Gr\xF6\xDF"
                                "e",
                                TextEncoding::Windows1252),
              "Größe");
}

}  // namespace
}  // namespace bp::platform
