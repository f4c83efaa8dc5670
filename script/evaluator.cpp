#include "script/evaluator.h"

#include <string>

#include "script/error.h"

namespace {

// An element of a condition operand as a number: 0 for non-scalar kinds.
inline float operandValue(const ElementRef& ref) {
  switch (ref.variable->kind) {
    case ValueKind::Float: return elementOf(ref)->f;
    case ValueKind::Int: return float(elementOf(ref)->i);
    default: return 0;
  }
}

// Comparisons with not-a-number are false except "!=".
inline bool conditionHolds(const CodeNode& node) {
  const float left = operandValue(node.left), right = operandValue(node.right);
  switch (node.compare) {
    case CompareOp::Equal: return left == right;
    case CompareOp::Less: return left < right;
    case CompareOp::LessEqual: return left <= right;
    case CompareOp::Greater: return left > right;
    case CompareOp::GreaterEqual: return left >= right;
    case CompareOp::NotEqual: return left != right;
  }
  return false;
}

uint32_t loopLimit = kMaxLoopIterations;
uint64_t currentRun = 0;

[[noreturn]] void throwRunawayLoop(const CodeNode& loop) {
  const std::string name = loop.definitionName ? *loop.definitionName : std::string();
  throw ScriptError(kRuntimeErrorCaption,
                    "Endless loop\n while on line " + std::to_string(loop.line) + " ran " +
                        std::to_string(loopLimit) + " times\n\n from\n " + name + "\n\n");
}

void runChildren(const CodeNode& block);

void runLoop(const CodeNode& loop) {
  if (loop.loopRun != currentRun) {
    loop.loopRun = currentRun;
    loop.loopPasses = 0;
  }
  while (conditionHolds(loop)) {
    if (loop.loopPasses == loopLimit) throwRunawayLoop(loop);
    ++loop.loopPasses;
    runChildren(loop);
  }
}

void runChildren(const CodeNode& block) {
  for (const auto& child : block.children) {
    const CodeNode& node = *child;
    switch (node.nodeKind) {
      case NodeKind::Statement: node.run(node); break;
      case NodeKind::If:
        if (conditionHolds(node)) runChildren(node);
        break;
      case NodeKind::While: runLoop(node); break;
    }
  }
}

}  // namespace

void setLoopIterationLimit(uint32_t limit) { loopLimit = limit; }

void runBlock(const CodeNode& block) {
  ++currentRun;
  runChildren(block);
}
