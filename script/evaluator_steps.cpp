// The evaluation steps: for every term the function that folds it into the
// accumulator, specialised when compiling by operator, width and operand,
// and the fused functions of simple statements.
#include <array>
#include <new>

#include "script/evaluator.h"

// Components are written one by one from step to step; pairing two of them
// into one vector load stalls on the separate stores before it.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

namespace {

// Float operands: the float operation rounds exactly as the operation in
// double followed by a store to float would.
template <int Op>
inline float apply(float accumulator, float v) {
  if constexpr (Op == kSubtract) return accumulator - v;
  if constexpr (Op == kMultiply) return accumulator * v;
  if constexpr (Op == kDivide) return accumulator / v;
  return accumulator + v;
}

// Folds one number into x and the next Width - 1 components.
template <int Op, int Width>
inline float broadcast(Value& acc, float x, float v) {
  if constexpr (Width >= 2) acc.y = apply<Op>(acc.y, v);
  if constexpr (Width >= 3) acc.z = apply<Op>(acc.z, v);
  if constexpr (Width >= 4) acc.w = apply<Op>(acc.w, v);
  return apply<Op>(x, v);
}

template <bool Fixed>
inline const Word* words(const ElementRef& ref) {
  if constexpr (Fixed) return ref.fixed;
  return elementWords(*ref.variable, currentIndex(ref));
}

inline void evaluateInto(const CodeNode& node, Value& acc) {
  float x = acc.x;
  for (const Step& step : node.steps) x = step.run(*step.term, acc, x);
  acc.x = x;
}

template <int Op, int Width>
struct NumberStep {
  static float run(const Term& term, Value& acc, float x) {
    return broadcast<Op, Width>(acc, x, term.number);
  }
};

template <bool Fixed>
struct FloatRef {
  template <int Op, int Width>
  struct Step {
    static float run(const Term& term, Value& acc, float x) {
      acc.source = term.ref.variable;
      return broadcast<Op, Width>(acc, x, words<Fixed>(term.ref)->f);
    }
  };
};

template <bool Fixed>
struct IntRef {
  template <int Op, int Width>
  struct Step {
    static float run(const Term& term, Value& acc, float x) {
      acc.source = term.ref.variable;
      return broadcast<Op, Width>(acc, x, float(words<Fixed>(term.ref)->i));
    }
  };
};

// A vector adds all its components, whatever the target's width.
template <bool Fixed>
struct VectorRef {
  template <int Op, int Components>
  struct Step {
    static float run(const Term& term, Value& acc, float x) {
      acc.source = term.ref.variable;
      const Word* w = words<Fixed>(term.ref);
      if constexpr (Components >= 2) acc.y = apply<Op>(acc.y, w[1].f);
      if constexpr (Components >= 3) acc.z = apply<Op>(acc.z, w[2].f);
      if constexpr (Components >= 4) acc.w = apply<Op>(acc.w, w[3].f);
      return apply<Op>(x, w[0].f);
    }
  };
};

// A curve reference selects an entry of its list for curvePos and curveTan;
// an empty list selects nothing.
float curveRefStep(const Term& term, Value& acc, float x) {
  Variable& curve = *term.ref.variable;
  acc.source = &curve;
  curve.count = curve.list->count;
  curve.stride = 1;
  if (curve.count != 0) curve.targetIndex = currentIndex(term.ref) % curve.count;
  return x;
}

float otherRefStep(const Term& term, Value& acc, float x) {
  acc.source = term.ref.variable;
  return x;
}

template <int Op, int Width>
struct GroupStep {
  static float run(const Term& term, Value& acc, float x) {
    Value group;
    if (term.group->constant)
      group = term.group->constantValue;
    else
      evaluateInto(*term.group, group);
    if constexpr (Width >= 2) acc.y = apply<Op>(acc.y, group.y);
    if constexpr (Width >= 3) acc.z = apply<Op>(acc.z, group.z);
    if constexpr (Width >= 4) acc.w = apply<Op>(acc.w, group.w);
    return apply<Op>(x, group.x);
  }
};

// Argument slots are filled only up to the call's arity; the built-ins read
// no further.
union ArgumentSlots {
  Value values[kMaxArguments];
  ArgumentSlots() {}
};

// One fixed float element broadcast into the target's width, as a single
// "+ element" step would compute it.
inline void fillFixedFloat(const CodeNode& argument, Value& slot) {
  const Term& term = *argument.steps[0].term;
  const float v = apply<kAdd>(0.0f, term.ref.fixed->f);
  slot.x = v;
  if (argument.width >= 2) slot.y = v;
  if (argument.width >= 3) slot.z = v;
  if (argument.width >= 4) slot.w = v;
  slot.source = term.ref.variable;
}

inline void fillArgument(const CodeNode& argument, Value& slot) {
  switch (argument.argumentForm) {
    case CodeNode::ArgumentForm::Constant: slot = argument.constantValue; return;
    case CodeNode::ArgumentForm::FixedFloat: fillFixedFloat(argument, *new (&slot) Value); return;
    case CodeNode::ArgumentForm::Steps: evaluateInto(argument, *new (&slot) Value); return;
  }
}

template <int Op, int Arity>
struct CallStep {
  static float run(const Term& term, Value& acc, float x) {
    const CallNode& call = *term.call;
    ArgumentSlots slots;
    for (int j = 0; j < Arity; ++j) fillArgument(*call.arguments[size_t(j)], slots.values[j]);
    acc.x = x;
    call.impl(acc, Arity ? slots.values : nullptr, Op);
    return acc.x;
  }
};

// The x component of an argument, all that scalar built-ins and the vector
// constructors read.
inline float argumentX(const CodeNode& argument) {
  switch (argument.argumentForm) {
    case CodeNode::ArgumentForm::Constant: return argument.constantValue.x;
    case CodeNode::ArgumentForm::FixedFloat:
      return apply<kAdd>(0.0f, argument.steps[0].term->ref.fixed->f);
    case CodeNode::ArgumentForm::Steps: break;
  }
  Value value;
  evaluateInto(argument, value);
  return value.x;
}

// A scalar built-in: its number is folded straight into x.
template <int Op, int Arity>
struct ScalarCallStep {
  static float run(const Term& term, Value&, float x) {
    const CallNode& call = *term.call;
    float arguments[kMaxArguments] = {};
    for (int j = 0; j < Arity; ++j) arguments[j] = argumentX(*call.arguments[size_t(j)]);
    return float(combine(Op, x, call.scalar(arguments)));
  }
};

// vec2, vec3, vec4: each argument's x folds into one component. Arguments
// are evaluated in order, as they may draw random numbers.
template <int Op, int Arity>
struct VectorCallStep {
  static float run(const Term& term, Value& acc, float x) {
    const auto& arguments = term.call->arguments;
    float a[kMaxArguments] = {};
    for (int j = 0; j < Arity; ++j) a[j] = argumentX(*arguments[size_t(j)]);
    if constexpr (Arity >= 2) acc.y = apply<Op>(acc.y, a[1]);
    if constexpr (Arity >= 3) acc.z = apply<Op>(acc.z, a[2]);
    if constexpr (Arity >= 4) acc.w = apply<Op>(acc.w, a[3]);
    return apply<Op>(x, a[0]);
  }
};

template <template <int, int> class S>
TermFunction callTable(int op, size_t arity) {
  static constexpr TermFunction table[4][kMaxArguments + 1] = {
      {S<0, 0>::run, S<0, 1>::run, S<0, 2>::run, S<0, 3>::run, S<0, 4>::run},
      {S<1, 0>::run, S<1, 1>::run, S<1, 2>::run, S<1, 3>::run, S<1, 4>::run},
      {S<2, 0>::run, S<2, 1>::run, S<2, 2>::run, S<2, 3>::run, S<2, 4>::run},
      {S<3, 0>::run, S<3, 1>::run, S<3, 2>::run, S<3, 3>::run, S<3, 4>::run},
  };
  return table[op][arity];
}

TermFunction callStep(const CallNode& call, int op) {
  const size_t arity = call.arguments.size();
  if (call.scalar) return callTable<ScalarCallStep>(op, arity);
  if (call.builtin >= kBuiltinVec2 && call.builtin <= kBuiltinVec4)
    return callTable<VectorCallStep>(op, arity);
  return callTable<CallStep>(op, arity);
}

template <template <int, int> class S, int Op>
constexpr std::array<TermFunction, 4> stepRow() {
  return {S<Op, 1>::run, S<Op, 2>::run, S<Op, 3>::run, S<Op, 4>::run};
}

// The instance of S for an operator code 0..3 and a width 1..4.
template <template <int, int> class S>
TermFunction pick(int op, int width) {
  static constexpr std::array<std::array<TermFunction, 4>, 4> table = {
      stepRow<S, 0>(), stepRow<S, 1>(), stepRow<S, 2>(), stepRow<S, 3>()};
  return table[size_t(op)][size_t(width - 1)];
}

TermFunction referenceStep(const ElementRef& ref, int op, int width) {
  const bool fixed = ref.fixed != nullptr;
  switch (ref.variable->kind) {
    case ValueKind::Float:
      return fixed ? pick<FloatRef<true>::Step>(op, width) : pick<FloatRef<false>::Step>(op, width);
    case ValueKind::Int:
      return fixed ? pick<IntRef<true>::Step>(op, width) : pick<IntRef<false>::Step>(op, width);
    case ValueKind::Vec2:
    case ValueKind::Vec3:
    case ValueKind::Vec4: {
      const int components = int(ref.variable->kind);
      return fixed ? pick<VectorRef<true>::Step>(op, components)
                   : pick<VectorRef<false>::Step>(op, components);
    }
    case ValueKind::Curve: return curveRefStep;
    default: return otherRefStep;
  }
}

template <ValueKind Kind, bool Fixed>
void storeStep(const CodeNode& statement, const Value& v) {
  Word* w = const_cast<Word*>(words<Fixed>(statement.targetRef));
  if constexpr (Kind == ValueKind::Int) w[0].i = truncToInt(v.x);
  if constexpr (Kind != ValueKind::Int) w[0].f = v.x;
  if constexpr (Kind >= ValueKind::Vec2) w[1].f = v.y;
  if constexpr (Kind >= ValueKind::Vec3) w[2].f = v.z;
  if constexpr (Kind == ValueKind::Vec4) w[3].f = v.w;
}

template <ValueKind Kind>
StoreFunction storeFor(bool fixed) {
  return fixed ? storeStep<Kind, true> : storeStep<Kind, false>;
}

StoreFunction storeFunction(const CodeNode& node) {
  if (!node.target) return nullptr;
  const bool fixed = node.targetRef.fixed != nullptr;
  switch (ValueKind(node.targetKind)) {
    case ValueKind::Int: return storeFor<ValueKind::Int>(fixed);
    case ValueKind::Float: return storeFor<ValueKind::Float>(fixed);
    case ValueKind::Vec2: return storeFor<ValueKind::Vec2>(fixed);
    case ValueKind::Vec3: return storeFor<ValueKind::Vec3>(fixed);
    case ValueKind::Vec4: return storeFor<ValueKind::Vec4>(fixed);
    default: return nullptr;
  }
}

// Statements of one or two scalar operands with fixed addresses (x = a;
// x = a * b; i = i + 1;) run as one fused function: the most common
// statements of effect definitions.
enum class Operand { Number, Float, Int };

template <Operand Kind>
inline float operand(const Term& term) {
  if constexpr (Kind == Operand::Number) return term.number;
  if constexpr (Kind == Operand::Float) return term.ref.fixed->f;
  if constexpr (Kind == Operand::Int) return float(term.ref.fixed->i);
}

template <ValueKind Target, bool FixedTarget>
inline void storeScalar(const CodeNode& statement, float x) {
  Word* w = const_cast<Word*>(words<FixedTarget>(statement.targetRef));
  if constexpr (Target == ValueKind::Int) w->i = truncToInt(x);
  if constexpr (Target == ValueKind::Float) w->f = x;
}

template <ValueKind Target, bool FixedTarget, Operand A>
void unaryStatement(const CodeNode& statement) {
  storeScalar<Target, FixedTarget>(statement, apply<kAdd>(0.0f, operand<A>(*statement.steps[0].term)));
}

template <ValueKind Target, bool FixedTarget, Operand A, int Op, Operand B>
void binaryStatement(const CodeNode& statement) {
  const float a = apply<kAdd>(0.0f, operand<A>(*statement.steps[0].term));
  storeScalar<Target, FixedTarget>(statement, apply<Op>(a, operand<B>(*statement.steps[1].term)));
}

template <ValueKind Target, bool FixedTarget, Operand A, Operand B>
StatementFunction binaryFor(int op) {
  static constexpr StatementFunction table[4] = {
      binaryStatement<Target, FixedTarget, A, 0, B>, binaryStatement<Target, FixedTarget, A, 1, B>,
      binaryStatement<Target, FixedTarget, A, 2, B>, binaryStatement<Target, FixedTarget, A, 3, B>};
  return table[op];
}

template <ValueKind Target, bool FixedTarget, Operand A>
StatementFunction fusedFor(const CodeNode& node, const Operand* kinds) {
  if (node.steps.size() == 1) return unaryStatement<Target, FixedTarget, A>;
  const int op = node.steps[1].term->op;
  switch (kinds[1]) {
    case Operand::Number: return binaryFor<Target, FixedTarget, A, Operand::Number>(op);
    case Operand::Float: return binaryFor<Target, FixedTarget, A, Operand::Float>(op);
    case Operand::Int: return binaryFor<Target, FixedTarget, A, Operand::Int>(op);
  }
  return nullptr;
}

template <ValueKind Target, bool FixedTarget>
StatementFunction fusedFor(const CodeNode& node, const Operand* kinds) {
  switch (kinds[0]) {
    case Operand::Number: return fusedFor<Target, FixedTarget, Operand::Number>(node, kinds);
    case Operand::Float: return fusedFor<Target, FixedTarget, Operand::Float>(node, kinds);
    case Operand::Int: return fusedFor<Target, FixedTarget, Operand::Int>(node, kinds);
  }
  return nullptr;
}

// The operand kind of a step that reads one fixed scalar, if it is one.
bool scalarOperand(const Term& term, Operand& kind) {
  if (term.kind == TermKind::Number) {
    kind = Operand::Number;
    return true;
  }
  if (term.kind != TermKind::VariableRef || !term.ref.fixed) return false;
  if (term.ref.variable->kind == ValueKind::Float) kind = Operand::Float;
  else if (term.ref.variable->kind == ValueKind::Int) kind = Operand::Int;
  else return false;
  return true;
}

void evaluateAndStore(const CodeNode& statement) {
  Value v;
  evaluateInto(statement, v);
  if (statement.store) statement.store(statement, v);
}

StatementFunction statementFunction(const CodeNode& node) {
  const bool scalarTarget =
      node.target && (node.targetKind == int32_t(ValueKind::Float) || node.targetKind == int32_t(ValueKind::Int));
  Operand kinds[2];
  const size_t count = node.steps.size();
  if (!scalarTarget || count < 1 || count > 2 || node.steps[0].term->op != kAdd)
    return evaluateAndStore;
  for (size_t k = 0; k < count; ++k)
    if (!scalarOperand(*node.steps[k].term, kinds[k])) return evaluateAndStore;
  const bool fixed = node.targetRef.fixed != nullptr;
  if (node.targetKind == int32_t(ValueKind::Int))
    return fixed ? fusedFor<ValueKind::Int, true>(node, kinds) : fusedFor<ValueKind::Int, false>(node, kinds);
  return fixed ? fusedFor<ValueKind::Float, true>(node, kinds) : fusedFor<ValueKind::Float, false>(node, kinds);
}

bool isConstant(const CodeNode& node) {
  for (const Term& term : node.terms) {
    const bool constant = term.kind == TermKind::Number || term.kind == TermKind::Operator ||
                          (term.kind == TermKind::Group && term.group->constant);
    if (!constant) return false;
  }
  return true;
}

CodeNode::ArgumentForm argumentForm(const CodeNode& node) {
  if (node.constant) return CodeNode::ArgumentForm::Constant;
  if (node.steps.size() != 1) return CodeNode::ArgumentForm::Steps;
  const Term& term = *node.steps[0].term;
  const bool fixedFloat = term.kind == TermKind::VariableRef && term.ref.fixed &&
                          term.ref.variable->kind == ValueKind::Float && term.op == kAdd;
  return fixedFloat ? CodeNode::ArgumentForm::FixedFloat : CodeNode::ArgumentForm::Steps;
}

}  // namespace

void prepareExpression(CodeNode& node) {
  node.steps.clear();
  int op = kAdd;  // the pending operator, initially +
  for (Term& term : node.terms) {
    TermFunction run = nullptr;
    switch (term.kind) {
      case TermKind::Operator: op = term.op; continue;
      case TermKind::Number: run = pick<NumberStep>(op, node.width); break;
      case TermKind::VariableRef: run = referenceStep(term.ref, op, node.width); break;
      case TermKind::Group: run = pick<GroupStep>(op, node.width); break;
      case TermKind::Call: run = callStep(*term.call, op); break;
    }
    term.op = op;
    node.steps.push_back({run, &term});
  }
  node.store = storeFunction(node);
  node.run = statementFunction(node);
  node.constant = isConstant(node);
  if (node.constant) node.constantValue = evaluate(node);
  node.argumentForm = argumentForm(node);
}

Value evaluate(const CodeNode& node) {
  Value acc;
  evaluateInto(node, acc);
  return acc;
}
