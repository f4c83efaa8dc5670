// The compiled form of a script: a tree of CodeNodes. A block's children are
// its statements and conditions; a statement's terms are its expression in
// text order, with operators kept as terms (there is no precedence: each
// operand is folded into the accumulator with the last operator seen).
// Every name is resolved to its Variable when compiling, and constant element
// addresses are computed then as well, so running the tree looks nothing up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/math.h"
#include "script/builtins.h"
#include "script/variables.h"

enum class TermKind : int32_t { Call = 0, Group = 1, VariableRef = 2, Number = 3, Operator = 4 };
enum class NodeKind : int32_t { Statement = -1, If = 0, While = 1 };
enum class CompareOp : int32_t {
  Equal = 0,
  Less = 1,
  LessEqual = 2,
  Greater = 3,
  GreaterEqual = 4,
  NotEqual = 5
};

// An element of a variable: a constant index, or the first element of an
// index variable (an int as is, a float truncated toward zero).
struct ElementRef {
  Variable* variable = nullptr;
  uint32_t index = 0;
  Variable* indexVariable = nullptr;  // only int and float index variables are kept
  Word* fixed = nullptr;              // the element's words when they never move
};

// Makes the reference, resolving the address when it is constant.
ElementRef makeElementRef(Variable* variable, uint32_t index, Variable* indexVariable);

// The element index the reference selects now.
inline uint32_t currentIndex(const ElementRef& ref) {
  if (!ref.indexVariable) return ref.index;
  const Word& word = ref.indexVariable->data[0];
  if (ref.indexVariable->kind == ValueKind::Int) return uint32_t(word.i);
  return uint32_t(truncToInt(word.f));
}

// The first word of the element, for numeric variables.
inline Word* elementOf(const ElementRef& ref) {
  return ref.fixed ? ref.fixed : elementWords(*ref.variable, currentIndex(ref));
}

struct CodeNode;
struct Term;

// One step of a prepared expression: the function that folds one term into
// the accumulator, chosen when compiling for the term's kind, the operator
// in effect, the target's width and whether the element address is fixed.
// The accumulator's x travels in a register from step to step: a step takes
// it as `x` and returns the new x (accumulator.x itself is stale meanwhile).
using TermFunction = float (*)(const Term& term, Value& accumulator, float x);
struct Step {
  TermFunction run;
  const Term* term;
};
using StoreFunction = void (*)(const CodeNode& statement, const Value& value);
// Runs a whole statement: evaluation and store, fused for simple statements.
using StatementFunction = void (*)(const CodeNode& statement);

struct CallNode {
  int builtin = -1;
  BuiltinFunction impl = nullptr;
  ScalarBuiltin scalar = nullptr;  // the same function's number, for scalar built-ins
  std::vector<std::unique_ptr<CodeNode>> arguments;
};

struct Term {
  TermKind kind = TermKind::Number;
  int32_t op = 0;     // Operator terms: their code; other terms: the operator in effect
  float number = 0;   // Number
  ElementRef ref;     // VariableRef
  std::unique_ptr<CodeNode> group;
  std::unique_ptr<CallNode> call;
};

struct CodeNode {
  // Statement: the assigned variable and element (none for a bare call).
  int32_t targetKind = -1;
  Variable* target = nullptr;
  ElementRef targetRef;
  // Components a number or group broadcasts into: the target's components
  // for vector targets, else 1.
  int32_t width = 1;
  std::vector<Term> terms;
  // The terms as prepared steps (operators fold into their operands) and
  // the store into the target, filled by prepareExpression.
  std::vector<Step> steps;
  StoreFunction store = nullptr;
  StatementFunction run = nullptr;
  // An expression of numbers alone (also in groups) has one value, computed
  // when compiling; call arguments and groups then use it directly.
  bool constant = false;
  Value constantValue;
  // How a call argument fills its slot: from constantValue, from one fixed
  // float element, or by running its steps.
  enum class ArgumentForm : int32_t { Steps, Constant, FixedFloat };
  ArgumentForm argumentForm = ArgumentForm::Steps;

  // Block: statements and conditions in order.
  std::vector<std::unique_ptr<CodeNode>> children;
  CodeNode* parent = nullptr;

  // Condition of an if/while node; number operands own their anonymous
  // variable.
  NodeKind nodeKind = NodeKind::Statement;
  CompareOp compare = CompareOp::Equal;
  ElementRef left, right;
  std::unique_ptr<Variable> leftNumber, rightNumber;
  int32_t line = 0;                              // where a while was written
  const std::string* definitionName = nullptr;  // named by the loop guard
  mutable uint64_t loopRun = 0;                  // the run loopPasses counts in
  mutable uint32_t loopPasses = 0;
};
