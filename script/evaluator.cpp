#include "script/evaluator.h"

#include <string>

#include "script/error.h"

namespace {

// Folds one number into the first `width` components.
inline void broadcast(Value& acc, int op, int width, double v) {
  switch (width) {
    case 4: combineInto(acc.w, op, v); [[fallthrough]];
    case 3: combineInto(acc.z, op, v); [[fallthrough]];
    case 2: combineInto(acc.y, op, v); [[fallthrough]];
    default: combineInto(acc.x, op, v);
  }
}

inline void foldGroup(Value& acc, int op, int width, const Value& group) {
  switch (width) {
    case 4: combineInto(acc.w, op, group.w); [[fallthrough]];
    case 3: combineInto(acc.z, op, group.z); [[fallthrough]];
    case 2: combineInto(acc.y, op, group.y); [[fallthrough]];
    default: combineInto(acc.x, op, group.x);
  }
}

// A curve reference selects an entry of its list for curvePos and curveTan.
inline void selectCurve(const ElementRef& ref) {
  Variable& curve = *ref.variable;
  curve.count = curve.list->count;
  curve.stride = 1;
  if (curve.count == 0) return;  // an empty list selects nothing
  curve.targetIndex = currentIndex(ref) % curve.count;
}

inline void foldReference(Value& acc, int op, int width, const ElementRef& ref) {
  const Variable& variable = *ref.variable;
  acc.source = &variable;
  switch (variable.kind) {
    case ValueKind::Float: broadcast(acc, op, width, elementOf(ref)->f); return;
    case ValueKind::Int: broadcast(acc, op, width, float(elementOf(ref)->i)); return;
    case ValueKind::Vec2:
    case ValueKind::Vec3:
    case ValueKind::Vec4: {
      const Word* words = elementOf(ref);
      combineInto(acc.x, op, words[0].f);
      combineInto(acc.y, op, words[1].f);
      if (variable.kind == ValueKind::Vec2) return;
      combineInto(acc.z, op, words[2].f);
      if (variable.kind == ValueKind::Vec3) return;
      combineInto(acc.w, op, words[3].f);
      return;
    }
    case ValueKind::Curve: selectCurve(ref); return;
    default: return;
  }
}

inline void callBuiltin(Value& acc, int op, const CallNode& call) {
  Value arguments[kMaxArguments + 1];
  const size_t count = call.arguments.size();
  for (size_t j = 0; j < count; ++j) arguments[j] = evaluate(*call.arguments[j]);
  call.impl(acc, arguments, op);
}

void store(const CodeNode& statement, const Value& v) {
  Word* words = elementOf(statement.targetRef);
  switch (ValueKind(statement.targetKind)) {
    case ValueKind::Int: words[0].i = truncToInt(v.x); return;
    case ValueKind::Float: words[0].f = v.x; return;
    case ValueKind::Vec4: words[3].f = v.w; [[fallthrough]];
    case ValueKind::Vec3: words[2].f = v.z; [[fallthrough]];
    case ValueKind::Vec2:
      words[1].f = v.y;
      words[0].f = v.x;
      return;
    default: return;
  }
}

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

[[noreturn]] void throwRunawayLoop(const CodeNode& loop) {
  const std::string name = loop.definitionName ? *loop.definitionName : std::string();
  throw ScriptError(kRuntimeErrorCaption,
                    "Endless loop\n while on line " + std::to_string(loop.line) + " ran " +
                        std::to_string(kMaxLoopIterations) + " times\n\n from\n " + name + "\n\n");
}

void runLoop(const CodeNode& loop) {
  for (uint32_t passes = 0; conditionHolds(loop); ++passes) {
    if (passes == kMaxLoopIterations) throwRunawayLoop(loop);
    runBlock(loop);
  }
}

}  // namespace

Value evaluate(const CodeNode& node) {
  Value acc;
  int op = kAdd;
  const int width = node.width;
  for (const Term& term : node.terms) {
    switch (term.kind) {
      case TermKind::Operator: op = term.op; break;
      case TermKind::Number: broadcast(acc, op, width, term.number); break;
      case TermKind::VariableRef: foldReference(acc, op, width, term.ref); break;
      case TermKind::Group: foldGroup(acc, op, width, evaluate(*term.group)); break;
      case TermKind::Call: callBuiltin(acc, op, *term.call); break;
    }
  }
  return acc;
}

void runBlock(const CodeNode& block) {
  for (const auto& child : block.children) {
    const CodeNode& node = *child;
    switch (node.nodeKind) {
      case NodeKind::Statement: {
        const Value v = evaluate(node);
        if (node.target) store(node, v);
        break;
      }
      case NodeKind::If:
        if (conditionHolds(node)) runBlock(node);
        break;
      case NodeKind::While: runLoop(node); break;
    }
  }
}
