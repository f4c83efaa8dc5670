// The statement compiler: declarations, assignments, bare built-in calls,
// if/while conditions and the closing brace of a block.
#include <algorithm>
#include <cctype>
#include <vector>

#include "script/evaluator.h"
#include "script/expression.h"
#include "script/lexer.h"
#include "script/resource_statements.h"
#include "script/script.h"

namespace {

// Copies the statement without its comments ("//" to the end of the line),
// counting every line feed into `line`. The text ends at a NUL byte. When
// `origins` is given it receives the piece offset of every byte kept.
std::string stripComments(std::string_view piece, int32_t& line,
                          std::vector<size_t>* origins = nullptr) {
  std::string statement;
  bool inComment = false;
  for (size_t i = 0; i < piece.size() && piece[i] != 0; ++i) {
    const char c = piece[i];
    if (c == '\n') {
      ++line;
      inComment = false;
    } else if (inComment) {
      continue;
    } else if (c == '/' && i + 1 < piece.size() && piece[i + 1] == '/') {
      inComment = true;
      ++i;
      continue;
    }
    statement.push_back(c);
    if (origins) origins->push_back(i);
  }
  return statement;
}

bool isBlank(const std::string& text) {
  for (const char c : text)
    if (!isspace(static_cast<unsigned char>(c))) return false;
  return true;
}

int blockDepth(const CodeNode* block) {
  int depth = 0;
  for (; block->parent; block = block->parent) ++depth;
  return depth;
}

class StatementCompiler {
 public:
  StatementCompiler(Script& script, const CompileEnvironment& environment, const std::string& text)
      : script_(script),
        environment_(environment),
        state_(script.state),
        context_{text.c_str(), script.state.column, script.state.line, script.variables,
                 environment.warnings} {}

  void compile() {
    const StatementWord first = readStatementWord(context_.text, state_.column);
    if (first.typeCode >= 0) {
      declaration(ValueKind(first.typeCode), first.word);
    } else if (first.builtin >= 0) {
      target_ = nullptr;
      state_.assignmentPending = true;
      state_.column = 0;  // the whole statement is one expression
    } else if (first.blockKind == kBlockClose) {
      endBlock();
    } else if (first.blockKind >= 0) {
      condition(first);
    } else {
      assignment(first.word);
    }
    if (state_.assignmentPending) compilePending();
  }

 private:
  [[noreturn]] void fail(const std::string& message, bool tightColumn = false) {
    throwParseError(context_, message, tightColumn);
  }

  char current() const { return context_.text[state_.column]; }

  void advanceTo(char a, char b) {
    while (current() != 0 && current() != a && current() != b) ++state_.column;
  }

  void skipBlanks() {
    while (current() == ' ') ++state_.column;
  }

  // The declared size: a number, or the first element of a variable.
  int32_t readSize() {
    const Subscript subscript = readSubscript(context_);
    const Variable* variable = subscript.variable;
    if (!variable) return int32_t(subscript.index);
    if (variable->kind == ValueKind::Int) return variable->data[0].i;
    if (variable->kind == ValueKind::Float) return truncToInt(variable->data[0].f);
    return 1;
  }

  void declaration(ValueKind kind, const std::string& typeWord) {
    const StatementWord name = readStatementWord(context_.text, state_.column);
    if (name.typeCode >= 0 || name.builtin >= 0)
      fail("Variable name expected after type name " + typeWord + ".");
    int32_t size = 1;
    if (current() == '[') size = readSize();
    Variable* variable = addVariable(script_.variables, kind, name.word, size);
    if (!variable) fail("Param " + name.word + " redefinition.");
    advanceTo('=', ';');
    if (current() != '=') return;
    target_ = variable;
    variable->targetIndex = 0;
    ++state_.column;
    state_.assignmentPending = true;
  }

  void assignment(const std::string& name) {
    Subscript subscript;
    if (current() == '[') subscript = readSubscript(context_);
    advanceTo('=', ';');
    if (current() != '=') return;
    Variable* variable = findVariable(script_.variables, name);
    if (!variable) fail("Undefined parameter " + name + ".");
    variable->targetIndex = subscript.index;
    variable->targetIndexVariable = subscript.variable;
    target_ = variable;
    ++state_.column;
    state_.assignmentPending = true;
  }

  void endBlock() {
    if (!state_.currentBlock->parent) fail("Unexpected sub-section ending.");
    state_.currentBlock = state_.currentBlock->parent;
  }

  // A number gives an anonymous float variable owned by the node.
  ElementRef conditionOperand(std::unique_ptr<Variable>& numberStorage) {
    const StatementWord word = readStatementWord(context_.text, state_.column);
    float number;
    if (readNumberWord(word.word, number)) {
      numberStorage = std::make_unique<Variable>();
      numberStorage->kind = ValueKind::Float;
      numberStorage->stride = 1;
      numberStorage->storage = std::make_unique<Word[]>(1);
      numberStorage->data = numberStorage->storage.get();
      numberStorage->data[0].f = number;
      return makeElementRef(numberStorage.get(), 0, nullptr);
    }
    Variable* variable = findVariable(script_.variables, word.word);
    if (!variable) fail("Variable named " + word.word + " not found.", true);
    Subscript subscript;
    if (current() == '[') subscript = readSubscript(context_);
    return makeElementRef(variable, subscript.index, subscript.variable);
  }

  CompareOp readCompare(const std::string& keyword) {
    const char c = current(), next = context_.text[state_.column + (c ? 1 : 0)];
    CompareOp compare;
    if (next == '=' && (c == '=' || c == '<' || c == '>' || c == '!')) {
      compare = c == '=' ? CompareOp::Equal
                : c == '<' ? CompareOp::LessEqual
                : c == '>' ? CompareOp::GreaterEqual
                           : CompareOp::NotEqual;
      state_.column += 2;
    } else if (c == '<' || c == '>') {
      compare = c == '<' ? CompareOp::Less : CompareOp::Greater;
      ++state_.column;
    } else {
      fail("Invalid condition compare type in " + keyword + ".");
    }
    return compare;
  }

  void condition(const StatementWord& keyword) {
    if (readExpressionToken(context_.text, state_.column).bracket != kBracketOpen)
      fail("Expected opening brace after condition " + keyword.word + ".");
    if (blockDepth(state_.currentBlock) >= kMaxBlockDepth) fail("Too many nested sub-sections.");
    auto node = std::make_unique<CodeNode>();
    node->nodeKind = keyword.blockKind == kBlockWhile ? NodeKind::While : NodeKind::If;
    node->line = state_.line;
    node->definitionName = &script_.definitionName;
    node->left = conditionOperand(node->leftNumber);
    skipBlanks();
    node->compare = readCompare(keyword.word);
    skipBlanks();
    node->right = conditionOperand(node->rightNumber);
    if (readExpressionToken(context_.text, state_.column).bracket != kBracketClose)
      fail("Expected brace close after condition " + keyword.word + ".");
    node->parent = state_.currentBlock;
    CodeNode* block = node.get();
    state_.currentBlock->children.push_back(std::move(node));
    state_.currentBlock = block;
  }

  void compileExpression() {
    auto node = std::make_unique<CodeNode>();
    if (target_) {
      node->targetKind = int32_t(target_->kind);
      node->target = target_;
      node->targetRef = makeElementRef(target_, target_->targetIndex, target_->targetIndexVariable);
      if (target_->kind >= ValueKind::Vec2) node->width = int32_t(target_->kind);
    }
    parseExpression(context_, *node, 0, 0, false);
    prepareExpression(*node);
    state_.currentBlock->children.push_back(std::move(node));
  }

  void compilePending() {
    if (!target_ || isNumericKind(target_->kind)) return compileExpression();
    ResourceStatement statement{context_, *target_, environment_};
    if (target_->kind == ValueKind::Texture) return compileTextureStatement(statement);
    compileListStatement(statement);
  }

  Script& script_;
  const CompileEnvironment& environment_;
  CompileState& state_;
  ParseContext context_;
  Variable* target_ = nullptr;
};

}  // namespace

void compileStatement(Script& script, std::string_view piece, const CompileEnvironment& environment) {
  const std::string statement = stripComments(piece.substr(0, kMaxStatementLength), script.state.line);
  if (isBlank(statement)) return;
  script.state.column = 0;
  script.state.assignmentPending = false;
  StatementCompiler(script, environment, statement).compile();
}

size_t statementColumnOrigin(std::string_view piece, int32_t column) {
  int32_t lines = 0;
  std::vector<size_t> origins;
  stripComments(piece.substr(0, kMaxStatementLength), lines, &origins);
  if (origins.empty()) return 0;
  if (column < 0) return origins.front();
  return origins[std::min(size_t(column), origins.size() - 1)];
}
