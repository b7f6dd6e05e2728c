#include "ui/core/delegate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using VantuUI::CDelegateList;
using VantuUI::MakeDelegate;

struct Listener {
    bool Yes(void* param) {
        log += "yes" + std::to_string(id) + (param != nullptr ? "+" : "") + " ";
        return true;
    }
    bool No(void*) {
        log += "no" + std::to_string(id) + " ";
        return false;
    }
    int id = 0;
    std::string log;
};

TEST(Delegates, EqualDelegatesAreAddedOnce) {
    Listener a, b;
    a.id = 1, b.id = 2;
    CDelegateList list;
    EXPECT_TRUE(list.IsEmpty());
    list += MakeDelegate(&a, &Listener::Yes);
    list += MakeDelegate(&a, &Listener::Yes);
    list += MakeDelegate(&b, &Listener::Yes);  // another object
    list += MakeDelegate(&a, &Listener::No);   // another function
    EXPECT_FALSE(list.IsEmpty());
    int param = 0;
    EXPECT_FALSE(list(&param));
    EXPECT_EQ(a.log, "yes1+ no1 ");
    EXPECT_EQ(b.log, "yes2+ ");
}

TEST(Delegates, TheFirstFalseStopsTheCall) {
    Listener a, b, c;
    a.id = 1, b.id = 2, c.id = 3;
    CDelegateList list;
    EXPECT_TRUE(list(nullptr));  // an empty list agrees
    list += MakeDelegate(&a, &Listener::Yes);
    list += MakeDelegate(&b, &Listener::No);
    list += MakeDelegate(&c, &Listener::Yes);
    EXPECT_FALSE(list(nullptr));
    EXPECT_EQ(a.log + b.log + c.log, "yes1 no2 ");
}

TEST(Delegates, CopiesCallTheSameTarget) {
    Listener a;
    a.id = 5;
    auto delegate = MakeDelegate(&a, &Listener::Yes);
    auto copy = delegate.Copy();
    EXPECT_TRUE(*copy == delegate);
    EXPECT_TRUE((*copy)(nullptr));
    EXPECT_EQ(a.log, "yes5 ");
}

}  // namespace
