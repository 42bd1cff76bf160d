#include <gtest/gtest.h>

#include "app/EditorWindowList.h"

namespace ovx {
namespace {

struct FakeWindow {
  int handle;
  std::string fileName;
};

TEST(AppEditorWindowList, KeepsCreationOrderOnRemoval) {
  FakeWindow a{1, "a"}, b{2, "b"}, c{3, "c"}, d{4, "d"};
  TEditorWindowList<FakeWindow> list;
  for (FakeWindow* w : {&a, &b, &c, &d}) list.Append(w);
  EXPECT_TRUE(list.Remove(&b));
  EXPECT_FALSE(list.Remove(&b));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(0), &a);
  EXPECT_EQ(list.At(1), &c);
  EXPECT_EQ(list.At(2), &d);
  EXPECT_EQ(list.At(3), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.IndexOf(&d), 2);
  EXPECT_EQ(list.IndexOf(&b), -1);
}

TEST(AppEditorWindowList, NextWrapsAround) {
  FakeWindow a{1, "a"}, b{2, "b"}, c{3, "c"};
  TEditorWindowList<FakeWindow> list;
  auto byHandle = [](int h) { return [h](const FakeWindow& w) { return w.handle == h; }; };
  EXPECT_EQ(list.Next(byHandle(1)), nullptr);
  list.Append(&a);
  EXPECT_EQ(list.Next(byHandle(1)), &a);  // one window: itself
  list.Append(&b);
  list.Append(&c);
  EXPECT_EQ(list.Next(byHandle(1)), &b);
  EXPECT_EQ(list.Next(byHandle(2)), &c);
  EXPECT_EQ(list.Next(byHandle(3)), &a);
  EXPECT_EQ(list.Next(byHandle(9)), nullptr);
}

TEST(AppEditorWindowList, FindsTheFirstMatchInListOrder) {
  FakeWindow unnamed{1, ""}, x{2, "x"}, x2{3, "x"};
  TEditorWindowList<FakeWindow> list;
  auto named = [](const std::string& name) { return [name](const FakeWindow& w) { return w.fileName == name; }; };
  EXPECT_EQ(list.Find(named("")), nullptr);
  list.Append(&unnamed);
  list.Append(&x);
  list.Append(&x2);
  EXPECT_EQ(list.Find(named("x")), &x);
  EXPECT_EQ(list.Find(named("")), &unnamed);
  EXPECT_EQ(list.Find(named("y")), nullptr);
}

}  // namespace
}  // namespace ovx
