#include "decompiler/SourceStatement.h"

#include <algorithm>

namespace orvane {

Statement makeStatement(StatementKind kind, ExpressionPtr value) {
  Statement s;
  s.kind = kind;
  s.value = std::move(value);
  return s;
}

Statement expressionStatement(ExpressionPtr value) {
  Statement s;
  s.value = std::move(value);
  return s;
}

Statement makeComment(std::string text) {
  Statement s = makeStatement(StatementKind::Comment);
  s.name = std::move(text);
  return s;
}

void emit(StatementList& out, Statement statement, std::size_t at) {
  statement.start = at;
  out.push_back(std::move(statement));
}

bool hasStatements(const StatementList& list) {
  return std::any_of(list.begin(), list.end(), [](const Statement& s) { return s.kind != StatementKind::Label; });
}

Statement* lastStatement(StatementList& list) {
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->kind != StatementKind::Label) return &*it;
  return nullptr;
}

}  // namespace orvane
