// Name tables, declarations and the order in which scopes are searched.
#include <gtest/gtest.h>

#include "lang/scopes.h"
#include "tests/unit/fakes.h"
#include "values/name_tree.h"

namespace quorl {
namespace {

TEST(NameTree, FindsNamesWithoutRegardToCase) {
  NameTree tree;
  tree.Bind("Text1", Value::Integer(1));
  ASSERT_NE(tree.Find("TEXT1"), nullptr);
  EXPECT_EQ(tree.Find("text1")->value->integer, 1);
  EXPECT_TRUE(tree.Find("TEXT1")->value->held);
  EXPECT_EQ(tree.Find("TEXT2"), nullptr);
  EXPECT_EQ(tree.FindOrAdd(""), nullptr);
  EXPECT_EQ(tree.FindOrAdd(" "), nullptr);
  // Letters fold to lower case, so "[" sorts before every letter of either case.
  EXPECT_GT(CompareNames("Z", "["), 0);
  EXPECT_GT(CompareNames("a", "["), 0);
  EXPECT_EQ(CompareNames("\xC4", "\xE4"), -1);  // no folding beyond A-Z
  // A long name is stored cut to 255 characters.
  tree.Bind(std::string(300, 'N'), Value::Integer(2));
  EXPECT_NE(tree.Find(std::string(255, 'N')), nullptr);
}

TEST(NameTree, FirstMatchFollowsTheShapeOfInsertion) {
  NameTree tree;
  Value timer;
  timer.kind = 24;
  tree.Bind("TIMER2", timer);  // hangs right of the empty root
  tree.Bind("TIMER1", timer);  // left of TIMER2
  tree.Bind("TIMER3", timer);  // right of TIMER2
  EXPECT_EQ(tree.FindByKind(24)->name, "TIMER2");
  Value control;
  control.kind = 16;
  control.window = 7;
  tree.Bind("COMMAND1", control);
  EXPECT_EQ(tree.FindByWindow(7)->name, "COMMAND1");
  EXPECT_EQ(tree.FindByWindow(8), nullptr);
}

TEST(NameTree, RebindingReplacesTheValueInPlace) {
  NameTree tree;
  Value* first = tree.Bind("X", Value::Integer(5))->Bound();
  tree.Bind("X", Value::String("s"));
  EXPECT_EQ(tree.Find("X")->Bound(), first);
  EXPECT_EQ(first->kind, kKindString);
}

TEST(Declarations, TheTypeComesFromHowTheTextEnds) {
  fakes::FakeContext f;
  DeclareVariable(f.ctx, "A AS STRING", kScopeLocal);
  DeclareVariable(f.ctx, "B$ AS DOUBLE", kScopeLocal);
  DeclareVariable(f.ctx, "C AS CURRENCY", kScopeLocal);
  DeclareVariable(f.ctx, "D, E AS BOOLEAN", kScopeLocal);
  DeclareVariable(f.ctx, "F AS SINGLE", kScopeLocal);
  EXPECT_EQ(LookupName(f.ctx, "A")->kind, kKindString);
  EXPECT_FALSE(LookupName(f.ctx, "A")->text.has_value());
  EXPECT_EQ(LookupName(f.ctx, "B")->kind, kKindDouble);
  EXPECT_EQ(LookupName(f.ctx, "C")->kind, kKindInteger);
  EXPECT_EQ(LookupName(f.ctx, "D,")->kind, kKindBoolean);  // one name per line
  EXPECT_EQ(LookupName(f.ctx, "E"), nullptr);
  EXPECT_EQ(LookupName(f.ctx, "F")->kind, kKindDouble);

  DeclareConstant(f.ctx, "N = 1 + 2", kScopeGlobal);
  DeclareConstant(f.ctx, "S$ = \"HI\"", kScopeGlobal);
  EXPECT_TRUE(LookupName(f.ctx, "N")->constant);
  EXPECT_EQ(LookupName(f.ctx, "N")->integer, 0);
  EXPECT_EQ(LookupName(f.ctx, "S")->text, "HI");
  EXPECT_EQ(f.Errors(), std::vector<std::string>{"CAN'T CONVERT VALUE!"});
}

TEST(Declarations, LocalHidesFormHidesGlobal) {
  fakes::FakeContext f;
  BindName(f.ctx, "X", Value::Integer(3), kScopeGlobal);
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 3);
  BindName(f.ctx, "X", Value::Integer(2), kScopeForm);
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 2);
  f.ctx.PushFrame();
  BindName(f.ctx, "X", Value::Integer(1), kScopeLocal);
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 1);
  // While arguments are bound, the caller's frame is searched first.
  f.ctx.frames[0].locals.Bind("X", Value::Integer(0));
  f.ctx.callerScopeLookup = true;
  EXPECT_EQ(LookupName(f.ctx, "X")->integer, 0);
  f.ctx.callerScopeLookup = false;
  f.ctx.PopFrame();
  f.ctx.PopFrame();
  EXPECT_EQ(BindName(f.ctx, "Y", Value::Integer(1), kScopeLocal), nullptr);
}

TEST(Declarations, FrameStackHasAHundredFrames) {
  fakes::FakeContext f;  // frame 0 is pushed
  for (int i = 1; i < kMaxFrames; ++i) ASSERT_TRUE(f.ctx.PushFrame());
  EXPECT_FALSE(f.ctx.PushFrame());
  EXPECT_EQ(f.ctx.FrameDepth(), kMaxFrames - 1);
  EXPECT_EQ(f.Errors(), std::vector<std::string>{"TOO MANY NESTED CALLS!"});
}

}  // namespace
}  // namespace quorl
