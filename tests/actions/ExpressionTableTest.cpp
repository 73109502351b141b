#include "actions/ExpressionTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "actions/TextFormat.h"

namespace orvane {
namespace {

/// The resolving algorithm as written: passes over the entries from the newest to the
/// oldest until no placeholder is left; when the oldest entry's placeholder was not found
/// in a pass, what still looks like a placeholder is shown as unresolvable.
std::string referenceResolve(const ExpressionTable& table, std::string text) {
  if (text.find("<|") == std::string::npos) return text;
  for (int pass = 0; pass < 1000; ++pass) {
    if (text.find("|>") == std::string::npos) return text;
    std::size_t replaced = 0;
    for (std::size_t index = table.ExpressionCount(); index >= 1; --index) {
      replaced = replaceAll(text, "<|" + std::to_string(index) + "|>", table.ExpressionText(index));
    }
    if (replaced == 0) {
      replaceAll(text, "<|", "<EXPRESSION ");
      replaceAll(text, "|>", "TABLE ERROR>");
    }
    if (text.find("<|") == std::string::npos) return text;
  }
  ADD_FAILURE() << "the reference did not finish";
  return text;
}

std::string placeholder(std::size_t index) { return "<|" + std::to_string(index) + "|>"; }

TEST(ExpressionTable, StackAndExpressionEntries) {
  ExpressionTable table;
  EXPECT_EQ(table.PopValue().text, "?stackempty?");
  StackValue value{""};
  table.PushValue(value, true);
  EXPECT_EQ(value.text, "<|1|>");
  EXPECT_EQ(table.ExpressionText(1), "\"\"");
  EXPECT_EQ(table.AddExpression("a - b"), 2);
  EXPECT_EQ(table.ExpressionText(2), "(a - b)");
  EXPECT_EQ(table.AddExpression("ab - c"), 3);
  EXPECT_EQ(table.ExpressionText(3), "ab - c");
  EXPECT_EQ(table.AddExpression("a * b"), 4);
  EXPECT_EQ(table.ExpressionText(4), "a * b");
  EXPECT_EQ(table.StackCount(), 1u);
  EXPECT_EQ(table.PopValue().text, "<|1|>");
  table.Reset();
  EXPECT_EQ(table.ExpressionCount(), 0u);
}

TEST(ExpressionTable, ConstantPool) {
  ExpressionTable table;
  const std::vector<std::uint8_t> pool = {'a', 0, 0, 'b', 'c', 0, 'd', 0, 'e'};
  table.LoadConstantPool(pool);
  EXPECT_EQ(table.ConstantAt(0), "a");
  EXPECT_EQ(table.ConstantAt(1), "");
  EXPECT_EQ(table.ConstantAt(2), "bc");
  EXPECT_EQ(table.ConstantAt(4), "e");  // a final string without its zero byte counts
  EXPECT_EQ(table.ConstantAt(5), "?DictionaryError?");
  EXPECT_EQ(table.ConstantAt(-1), "?DictionaryError?");
  table.Reset();
  EXPECT_EQ(table.ConstantAt(0), "a");  // the pool survives a reset
}

TEST(ExpressionTable, OutputLinesAndIndentation) {
  ExpressionTable table;
  table.AppendLine("one");
  table.Indent();
  table.AppendLine("two");
  EXPECT_EQ(table.LastLine(), "two");
  table.ReplaceLastLine("three");
  EXPECT_EQ(table.Text(), "one\n   three\n");
  table.Outdent();
  table.Outdent();
  EXPECT_EQ(table.IndentLevel(), 0);
  table.Clear();
  table.AppendLine("only");
  table.ReplaceLastLine("first");  // a buffer of one line starts over
  EXPECT_EQ(table.Text(), "first\n");
  table.ReplaceLastLine("second");
  EXPECT_EQ(table.Text(), "second\n");
}

TEST(ExpressionTable, PropertyNames) {
  EXPECT_EQ(ExpressionTable::PropertyName(0), "_X");
  EXPECT_EQ(ExpressionTable::PropertyName(1), "_Y");
  EXPECT_EQ(ExpressionTable::PropertyName(7), "_visible");
  EXPECT_EQ(ExpressionTable::PropertyName(12), "_framesloaded");
  EXPECT_EQ(ExpressionTable::PropertyName(21), "_ymouse");
  EXPECT_EQ(ExpressionTable::PropertyName(22), "error");
  EXPECT_EQ(ExpressionTable::PropertyName(-1), "error");
}

TEST(ExpressionTable, DumpStackTopFirstAndNothingWhenEmpty) {
  ExpressionTable table;
  table.DumpStack();
  EXPECT_EQ(table.Text(), "");
  StackValue a{"a"};
  StackValue b{""};
  table.PushValue(a, false);
  table.PushValue(b, false);
  table.DumpStack();
  EXPECT_EQ(table.Text(), "Dumping Items Still On Stack {\n stk[ \"\" ]\n stk[ a ]\n} End Stack Dump\n");
  EXPECT_EQ(table.StackCount(), 0u);
}

TEST(ExpressionTable, ResolveNestedAndInvalidPlaceholders) {
  ExpressionTable table;
  table.AddExpression("b * c");
  table.AddExpression("(a + <|1|>)");
  EXPECT_EQ(table.ResolveText("x = <|2|>;"), "x = (a + b * c);");
  EXPECT_EQ(table.ResolveText("no markers |> here"), "no markers |> here");
  EXPECT_EQ(table.ResolveText("\"<|abc|>\""), "\"<EXPRESSION abcTABLE ERROR>\"");
  // The oldest entry took part: a lone closing bracket is left as it is.
  EXPECT_EQ(table.ResolveText("<|1|> |>"), "b * c |>");
  EXPECT_EQ(table.ResolveText("<|9|>"), "<EXPRESSION 9TABLE ERROR>");
}

TEST(ExpressionTable, ResolveTerminatesOnStringsNamingTheirOwnEntry) {
  ExpressionTable table;
  // A pushed movie string "<|1|>" combined into entry 1 names that entry itself.
  table.AddExpression("\"<|1|>\" + b");
  table.AddExpression("<|2|> <|3|> <|1|>");
  EXPECT_EQ(table.ResolveText("TRACE(<|1|>);"), "TRACE(\"<EXPRESSION 1TABLE ERROR>\" + b);");
  EXPECT_EQ(table.ResolveText("<|2|>"),
            "<EXPRESSION 2TABLE ERROR> <EXPRESSION 3TABLE ERROR> \"<EXPRESSION 1TABLE ERROR>\" + b");
}

TEST(ExpressionTable, ResolveStopsExpandingAtItsLimit) {
  ExpressionTable table;
  table.AddExpression(std::string(1000, 'x'));
  // Each entry doubles the one before it: entry 20 stands for a billion characters.
  for (int i = 1; i < 20; ++i) table.AddExpression(placeholder(i) + placeholder(i));
  const std::string resolved = table.ResolveText("<|20|>");
  EXPECT_EQ(resolved, "<EXPRESSION 20TABLE ERROR>");
  const std::string fits = table.ResolveText("<|10|>");
  EXPECT_EQ(fits.size(), 512u * 1000u);
}

/// Entries built the way renderings build them, with literal placeholders (valid, out of
/// range, malformed, naming later entries) mixed into the texts.
void fillRandomTable(ExpressionTable& table, std::mt19937& random, std::vector<std::string>& probes) {
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const std::vector<std::string> literals = {"a", "\"s\"", "12", "<|", "|>", "<|x|>", "<|0|>", "<|99999|>", "\"<|",
                                             "|>\""};
  const std::size_t count = 1 + pick(60);
  for (std::size_t n = 1; n <= count; ++n) {
    std::string text;
    const std::size_t parts = 1 + pick(4);
    for (std::size_t p = 0; p < parts; ++p) {
      if (p > 0) text += " + ";
      switch (pick(4)) {
        case 0:
          text += literals[pick(literals.size())];
          break;
        case 1:
          text += placeholder(n + pick(3));  // this entry or a later one
          break;
        default:
          if (n > 1) text += placeholder(1 + pick(n - 1));
          break;
      }
    }
    table.AddExpression(text);
    probes.push_back("f(" + text + ")");
  }
  probes.push_back("<|1|> |>");
  probes.push_back("<|" + std::to_string(count) + "|> <|");
  probes.push_back("|> <|2|> <|");
}

TEST(ExpressionTable, ResolveMatchesTheReferenceOnGeneratedTables) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    ExpressionTable table;
    std::vector<std::string> probes;
    fillRandomTable(table, random, probes);
    for (const std::string& probe : probes) {
      ASSERT_EQ(table.ResolveText(probe), referenceResolve(table, probe)) << "round " << round << ": " << probe;
    }
  }
}

TEST(ExpressionTable, ResolveIsLinearInItsResult) {
  // A chain of duplicates: each entry is the placeholder of the one before. Resolving the
  // newest entry once per entry would take quadratic time if every link were followed.
  constexpr int kCount = 100000;
  ExpressionTable table;
  table.AddExpression("x");
  for (int i = 1; i < kCount; ++i) table.AddExpression(placeholder(static_cast<std::size_t>(i)));
  const auto start = std::chrono::steady_clock::now();
  for (int i = 1; i <= kCount; ++i) ASSERT_EQ(table.ResolveText(placeholder(static_cast<std::size_t>(i))), "x");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

}  // namespace
}  // namespace orvane
