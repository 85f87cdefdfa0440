// The owners of BSTRs, VARIANTs and interface pointers: each reference taken is given back
// once, and moving an owner moves what it holds.

#include <gtest/gtest.h>

#include "FakeDispatch.h"
#include "act/automation/Bstr.h"
#include "act/automation/ComPtr.h"
#include "act/automation/Variant.h"

namespace bp::automation::test {
namespace {

Variant holding(FakeDispatch& object) {
    VARIANT borrowed;
    ::VariantInit(&borrowed);
    borrowed.vt = VT_DISPATCH;
    borrowed.pdispVal = &object;
    return Variant::copyOf(borrowed);
}

TEST(Owners, BstrKeepsTextBeyondAscii) {
    const Bstr text("Zoë Ωmega");
    EXPECT_EQ(::SysStringLen(text.get()), 9u);
    EXPECT_EQ(text.toUtf8(), "Zoë Ωmega");
}

TEST(Owners, EmptyBstrIsAllocatedAndMovedBstrIsEmptied) {
    Bstr empty("");
    ASSERT_NE(empty.get(), nullptr);
    EXPECT_EQ(::SysStringLen(empty.get()), 0u);
    Bstr moved(std::move(empty));
    EXPECT_EQ(empty.get(), nullptr);
    EXPECT_NE(moved.get(), nullptr);
    EXPECT_EQ(Bstr().toUtf8(), "");
}

TEST(Owners, ComPtrSharesAdoptsAndMovesOneReference) {
    FakeDispatch object;
    {
        auto shared = ComPtr<IDispatch>::share(&object);
        EXPECT_EQ(object.refs(), 2);
        auto moved = std::move(shared);
        EXPECT_FALSE(shared);
        EXPECT_EQ(object.refs(), 2);
        object.AddRef();
        auto adopted = ComPtr<IDispatch>::adopt(&object);
        EXPECT_EQ(object.refs(), 3);
        adopted = std::move(moved);
        EXPECT_EQ(object.refs(), 2);
    }
    EXPECT_EQ(object.refs(), 1);
}

TEST(Owners, VariantCopiesTakeTheirOwnReferenceAndMovesDoNot) {
    FakeDispatch object;
    {
        Variant first = holding(object);
        EXPECT_EQ(object.refs(), 2);
        Variant copy = first;
        EXPECT_EQ(object.refs(), 3);
        Variant moved = std::move(first);
        EXPECT_EQ(first.type(), VT_EMPTY);
        EXPECT_EQ(object.refs(), 3);
        copy = moved;
        EXPECT_EQ(object.refs(), 3);
        copy.out();
        EXPECT_EQ(copy.type(), VT_EMPTY);
        EXPECT_EQ(object.refs(), 2);
    }
    EXPECT_EQ(object.refs(), 1);
}

}  // namespace
}  // namespace bp::automation::test
