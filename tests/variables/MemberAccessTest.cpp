#include <gtest/gtest.h>

#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/MemberAccess.h"
#include "Script/Expressions/Variables/Variable.h"
#include "tests/types/TypeBuilders.h"
#include "tests/variables/AccessFixture.h"

namespace script::test {
namespace {

// struct Inner { i16 x; i32 y; }  struct Outer { i8 a; Inner in; i32@ r; }
// Global slot 0 holds an Outer; slots 1 to 3 are the members' binding slots.
class MemberAccessTest : public AccessFixture {
 protected:
  void SetUp() override {
    inner_ = Keep(new AggregateType(At(30), nullptr));
    AddMember(*inner_, TYPE_I16, 0, {31});
    AddMember(*inner_, TYPE_I32, 0, {32});
    ASSERT_TRUE(inner_->ComputeLayout());
    outer_ = Keep(new AggregateType(At(40), nullptr));
    AddMember(*outer_, TYPE_I8, 0, {41});
    auto* in = UseStructure(*inner_, outer_);
    outer_->AddMember(in);
    Declare(in, {42});
    AddMember(*outer_, TYPE_I32, 1, {43});
    ASSERT_TRUE(outer_->ComputeLayout());
    Type* i32 = BuiltInType(TYPE_I32);
    PushGlobals({outer_, i32, i32, i32});
  }

  // The layout's member variable: declaration d, variable 0.
  static const Variable& Member(const AggregateType& structure, std::size_t declaration) {
    return *static_cast<const Variable*>(structure.Members().at(declaration)->Items().at(0));
  }

  // Hangs "." and a member variable (bound through `bindingSlot`) below the
  // node; returns the member variable.
  static Variable* Select(Node& holder, const Variable& member, uint32_t bindingSlot) {
    auto* dot = new MemberAccess(At(54), &holder);
    holder.SetRight(dot);
    auto* variable = new Variable(member.Position(), dot, member, bindingSlot);
    dot->SetRight(variable);
    return variable;
  }

  AggregateType* inner_ = nullptr;
  AggregateType* outer_ = nullptr;
};

TEST_F(MemberAccessTest, NestedMembersReachTheStructureStorage) {
  const uint32_t y = Member(*outer_, 1).MemberOffset() + Member(*inner_, 1).MemberOffset();
  Store<int32_t>(Global(0), y, 1234);
  Variable s(At(1), nullptr, outer_, Global(0), 0);
  Variable* in = Select(s, Member(*outer_, 1), Binding(1));
  Select(*in, Member(*inner_, 1), Binding(2));
  {
    Value result;
    ASSERT_EQ(RUN_OK, Run(s, result));
    EXPECT_EQ(thread_.GetSlot(Global(0))->Block(), result.Ref()->Block());
    EXPECT_EQ(y, result.Ref()->Offset());
    EXPECT_EQ(KIND_I32, result.Kind());
    EXPECT_EQ("1234", result.ToText());
    Value five;
    five.SetI32(5);
    ASSERT_EQ(CONVERSION_OK, result.Assign(five));
    EXPECT_EQ(5, Load<int32_t>(Global(0), y));
  }
  EXPECT_EQ(thread_.GetSlot(Global(1)), thread_.GetSlot(Binding(1))) << "the member bindings are popped again";
  const std::size_t handlesAfterARun = heap_.LiveRefCount();
  {
    Value again;
    ASSERT_EQ(RUN_OK, Run(s, again));
  }
  EXPECT_EQ(handlesAfterARun, heap_.LiveRefCount()) << "binding handles are reused, not allocated again";
}

TEST_F(MemberAccessTest, AReferenceMemberLeadsToItsObjectAndRecordsItsCell) {
  MemoryBlockRef* target = heap_.NewOwnedRef(BuiltInType(TYPE_I32), 4);
  heap_.EnsureMapped(target->Block());
  const int32_t value = 77;
  std::memcpy(target->Data(), &value, sizeof value);
  const uint32_t cell = Member(*outer_, 2).MemberOffset();
  MemoryBlock* outerBlock = thread_.GetSlot(Global(0))->Block();
  Variable s(At(1), nullptr, outer_, Global(0), 0);
  Select(s, Member(*outer_, 2), Binding(3));

  Value result;
  ExecContext context = Context(&result);
  context.referenceSlotBlock = ExecContext::kNoReferenceSlot;
  ASSERT_EQ(RUN_OK, s.Run(&context));
  EXPECT_EQ(nullptr, result.Ref()->Block()) << "a null address designates nothing";
  EXPECT_EQ(outerBlock, context.referenceSlotBlock);
  EXPECT_EQ(cell, context.referenceSlotOffset);
  context.referenceSlotBlock->Release();

  Store<void*>(Global(0), cell, target->Data());
  context.referenceSlotBlock = ExecContext::kNoReferenceSlot;
  ASSERT_EQ(RUN_OK, s.Run(&context));
  EXPECT_EQ(target->Block(), result.Ref()->Block());
  EXPECT_EQ("77", result.ToText());
  EXPECT_EQ(outerBlock, context.referenceSlotBlock);
  context.referenceSlotBlock->Release();
  result.Reset();
  EXPECT_EQ(1u, target->Block()->Holders()) << "the count taken by resolving the address is given back";
  Store<void*>(Global(0), cell, nullptr);
  target->Release();
}

TEST_F(MemberAccessTest, APlainMemberRecordsThatNoReferenceCellWasReached) {
  Variable s(At(1), nullptr, outer_, Global(0), 0);
  Select(s, Member(*outer_, 0), Binding(1));
  Value result;
  ExecContext context = Context(&result);
  context.referenceSlotBlock = ExecContext::kNoReferenceSlot;
  ASSERT_EQ(RUN_OK, s.Run(&context));
  EXPECT_EQ(ExecContext::kNoReferenceSlot, context.referenceSlotBlock);
  EXPECT_EQ(KIND_I8, result.Kind());
}

}  // namespace
}  // namespace script::test
