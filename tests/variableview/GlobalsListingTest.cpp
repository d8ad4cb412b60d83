// The globals listing: one line per frame layout entry, values from frame 0,
// containers expanded below their line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/VariableView/GlobalsListing.h"
#include "tests/variableview/VariableViewFixture.h"

namespace script {
namespace {

using Lines = std::vector<std::string>;

class GlobalsListingTest : public test::VariableViewFixture {
 protected:
  Lines List() {
    Lines lines;
    ListGlobals(root_, stack_, symbols_, [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
  }
};

// Slot 1 is a binding slot without a name: no variable, no line.
TEST_F(GlobalsListingTest, NamedEntriesInLayoutOrder) {
  Global("count", Own(Basic(TYPE_I32)));
  Type* binding = Own(Basic(TYPE_I32));
  root_.ReserveSlot(binding, SourcePosition{}, binding->GetSlotSize(), binding->GetAlignment());
  Global("name", Own(Basic(TYPE_STRING)));
  Global("letter", Own(Basic(TYPE_UI8)));
  Global("ratio", Own(Basic(TYPE_DOUBLE)));
  EXPECT_EQ((Lines{"count : i32 = <null>", "name : string = <null>", "letter : ui8 = <null>",
                   "ratio : double = <null>"}),
            List())
      << "without a global frame nothing resolves";

  PushGlobals();
  Write(0, 0, int32_t{-7});
  *reinterpret_cast<std::string*>(SlotBlock(2)->Data()) = "say \"hi\"\n";
  Write(3, 0, uint8_t{'k'});
  Write(4, 0, 2.5);
  EXPECT_EQ((Lines{"count : i32 = -7", R"(name : string = "say \"hi\"\n")", "letter : ui8 = 107 'k'",
                   "ratio : double = 2.5"}),
            List());
}

TEST_F(GlobalsListingTest, StructuresAndArraysExpandWithTwoBlanksPerLevel) {
  AggregateType* point = Structure("Point");
  AddMember(*point, TYPE_I32, 0, {"x", "y"});
  ASSERT_TRUE(point->ComputeLayout());
  AggregateType* segment = Structure("Segment");
  Type* ends = test::UseStructure(*point, segment);
  segment->AddMember(ends);
  test::Declare(ends, {Symbol("from"), Symbol("to")});
  ASSERT_TRUE(segment->ComputeLayout());

  Global("seg", segment);
  Global("pts", Own(test::MakeArray(test::UseStructure(*point, nullptr), {2})));
  Global("grid", Own(test::MakeArray(Basic(TYPE_UI8), {2, 3})));
  Global("after", Own(Basic(TYPE_BOOL)));
  PushGlobals();
  for (int32_t i = 0; i < 4; ++i) Write(0, 4 * i, i + 1);
  for (int32_t i = 0; i < 4; ++i) Write(1, 4 * i, 10 * (i + 1));
  for (uint8_t i = 0; i < 6; ++i) Write(2, i, static_cast<uint8_t>('a' + i));
  Write(3, 0, true);

  EXPECT_EQ((Lines{
                "seg : Segment = <...>",
                "  from : Point = <...>",
                "    x : i32 = 1",
                "    y : i32 = 2",
                "  to : Point = <...>",
                "    x : i32 = 3",
                "    y : i32 = 4",
                "pts : array<Point,2> = <...>",
                "  [0] : Point = <...>",
                "    x : i32 = 10",
                "    y : i32 = 20",
                "  [1] : Point = <...>",
                "    x : i32 = 30",
                "    y : i32 = 40",
                "grid : array<ui8,2,3> = <...>",
                "  [0,0] : ui8 = 97 'a'",
                "  [1,0] : ui8 = 98 'b'",
                "  [0,1] : ui8 = 99 'c'",
                "  [1,1] : ui8 = 100 'd'",
                "  [0,2] : ui8 = 101 'e'",
                "  [1,2] : ui8 = 102 'f'",
                "after : bool = true",
            }),
            List());
}

TEST_F(GlobalsListingTest, ReferenceMembersShowTheReferencedObjectOnce) {
  AggregateType* node = Structure("Node");
  AddMember(*node, TYPE_I32, 0, {"v"});
  Type* next = test::UseStructure(*node, node, 1);
  node->AddMember(next);
  test::Declare(next, {Symbol("next")});
  AddMember(*node, TYPE_I32, 1, {"r"});
  ASSERT_TRUE(node->ComputeLayout());
  const uint32_t nextAt = test::OffsetOf(*next, 0);
  const uint32_t refAt = test::OffsetOf(*node->Members()[2], 0);

  Global("n", node);
  Global("m", node);
  Global("target", Own(Basic(TYPE_I32)));
  PushGlobals();
  Write(0, 0, int32_t{5});
  PointAt(0, nextAt, 0);  // n.next is n itself
  PointAt(0, refAt, 2);
  Write(1, 0, int32_t{6});
  PointAt(1, nextAt, 0);  // m.next is n; m.r stays null
  Write(2, 0, int32_t{42});

  EXPECT_EQ((Lines{
                "n : Node = <...>",
                "  v : i32 = 5",
                "  next : Node@ = <...>",
                "  r : i32@ = 42",
                "m : Node = <...>",
                "  v : i32 = 6",
                "  next : Node@ = <...>",
                "    v : i32 = 5",
                "    next : Node@ = <...>",
                "    r : i32@ = 42",
                "  r : i32@ = <null>",
                "target : i32 = 42",
            }),
            List());
  Unpoint(0, nextAt, 0);
}

}  // namespace
}  // namespace script
