#include <gtest/gtest.h>

#include "app/TrayMenuIds.h"
#include "app/win32/AppResources.h"

namespace ovx {

void PrintTo(const TTrayItemRef& item, std::ostream* out) {
  *out << "{kind " << static_cast<int>(item.kind) << ", index " << item.index << "}";
}

namespace {

constexpr unsigned kLastCommandId = 0xFFFF;  // WM_COMMAND carries 16 bits of id

TEST(AppTrayMenuIds, EveryItemsIdLeadsBackToIt) {
  const TTrayItemRef items[] = {
      {tikHistory, 0},   {tikHistory, 1},    {tikHistory, 99},    {tikHistory, 799},  {tikHistory, 800},
      {tikHistory, 801}, {tikHistory, 5000}, {tikHistory, 40000}, {tikWindow, 0},     {tikWindow, 8},
      {tikMoreWindows, -1},
  };
  for (const TTrayItemRef& item : items) {
    std::optional<unsigned> id = TrayItemId(item);
    ASSERT_TRUE(id) << item.kind << " " << item.index;
    EXPECT_LE(*id, kLastCommandId) << item.index;
    EXPECT_EQ(TrayItemOfId(*id), item) << "id " << *id;
  }
}

TEST(AppTrayMenuIds, AHistoryOfAnyLengthStaysClearOfTheOtherItems) {
  // The history has no length limit; its items run up to the last id and stop there.
  int first = -1;
  for (int index = 0; index < 70000; ++index) {
    std::optional<unsigned> id = TrayItemId({tikHistory, index});
    if (!id) {
      first = index;
      break;
    }
    ASSERT_LE(*id, kLastCommandId) << index;
    ASSERT_EQ(TrayItemOfId(*id), (TTrayItemRef{tikHistory, index})) << index;
  }
  ASSERT_GT(first, 9000) << "the history gets the most ids";
  EXPECT_FALSE(TrayItemId({tikHistory, first + 1}));
  // The fixed items of the menu are none of the rebuilt ones.
  for (unsigned id : {IDM_TRAY_NEW, IDM_TRAY_OPEN, IDM_TRAY_HELP, IDM_TRAY_OPTION, IDM_TRAY_ALLQUIT, IDM_TRAY_VERSION})
    EXPECT_EQ(TrayItemOfId(id).kind, tikNone) << id;
}

}  // namespace
}  // namespace ovx
