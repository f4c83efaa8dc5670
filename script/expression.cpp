#include "script/expression.h"

#include <utility>

#include "script/error.h"
#include "script/evaluator.h"
#include "script/lexer.h"

void throwParseError(const ParseContext& context, std::string_view message, bool tightColumn) {
  throwCompileError(context.line, context.column, context.text, message, tightColumn);
}

ElementRef makeElementRef(Variable* variable, uint32_t index, Variable* indexVariable) {
  ElementRef ref;
  ref.variable = variable;
  ref.index = index;
  if (indexVariable &&
      (indexVariable->kind == ValueKind::Int || indexVariable->kind == ValueKind::Float))
    ref.indexVariable = indexVariable;
  if (variable && isNumericKind(variable->kind) && !ref.indexVariable)
    ref.fixed = elementWords(*variable, index);
  return ref;
}

Subscript readSubscript(ParseContext& context) {
  ++context.column;  // '['
  const StatementWord word = readStatementWord(context.text, context.column);
  Subscript subscript;
  float number;
  if (readNumberWord(word.word, number)) {
    subscript.index = uint32_t(truncToInt(number));
  } else {
    subscript.variable = findVariable(context.variables, word.word);
    if (!subscript.variable) throwParseError(context, "Invalid array subscript " + word.word + ".");
  }
  for (char c; (c = context.text[context.column]) != 0 && c != ']' && c != ';';) ++context.column;
  if (context.text[context.column] == ']') ++context.column;
  return subscript;
}

namespace {

std::unique_ptr<CodeNode> parseNested(ParseContext& context, const CodeNode& parent, int depth,
                                      bool inArgument) {
  auto node = std::make_unique<CodeNode>();
  node->targetKind = parent.targetKind;
  node->width = parent.width;
  parseExpression(context, *node, depth + 1, context.column, inArgument);
  prepareExpression(*node);
  return node;
}

Term parseCall(ParseContext& context, const CodeNode& node, int depth, int builtin) {
  const ExpressionToken open = readExpressionToken(context.text, context.column);
  if (open.bracket != kBracketOpen)
    throwParseError(context,
                    "No brace open found after function " + std::string(builtinName(builtin)) + ".");
  Term term;
  term.kind = TermKind::Call;
  term.call = std::make_unique<CallNode>();
  term.call->builtin = builtin;
  term.call->impl = builtinFunction(builtin);
  term.call->scalar = builtinScalar(builtin);
  const int arity = builtinArity(builtin);
  if (arity == 0) {
    parseNested(context, node, depth, false);  // consumes the closing bracket
    return term;
  }
  for (int k = 0; k < arity; ++k)
    term.call->arguments.push_back(parseNested(context, node, depth, k < arity - 1));
  return term;
}

Term parseOperand(ParseContext& context, const std::string& word) {
  Term term;
  float number;
  if (readNumberWord(word, number)) {
    term.kind = TermKind::Number;
    term.number = number;
    return term;
  }
  Variable* variable = findVariable(context.variables, word);
  if (!variable) throwParseError(context, "Variable named " + word + " not found.", true);
  Subscript subscript;
  if (context.text[context.column] == '[') subscript = readSubscript(context);
  term.kind = TermKind::VariableRef;
  term.ref = makeElementRef(variable, subscript.index, subscript.variable);
  return term;
}

void warn(const ParseContext& context, std::string message) {
  if (context.warnings) context.warnings->push_back({std::move(message), 0, context.column});
}

bool isOperand(const Term& term) { return term.kind != TermKind::Operator; }

// The expression ends here: an operator last has nothing to work on.
void warnIfDangling(const ParseContext& context, const CodeNode& node) {
  if (!node.terms.empty() && !isOperand(node.terms.back()))
    warn(context, "an operator with no operand after it; the value ignores it");
}

void warnIfOperandsTouch(const ParseContext& context, const CodeNode& node) {
  const size_t count = node.terms.size();
  if (count >= 2 && isOperand(node.terms[count - 1]) && isOperand(node.terms[count - 2]))
    warn(context, "two operands with no operator between them");
}

}  // namespace

void parseExpression(ParseContext& context, CodeNode& node, int depth, int32_t openColumn,
                     bool inArgument) {
  bool insideLiteral = false;
  for (;;) {
    const size_t termsBefore = node.terms.size();
    const ExpressionToken token = readExpressionToken(context.text, context.column);
    if (token.bracket == kBracketOpen) {
      Term term;
      term.kind = TermKind::Group;
      term.group = parseNested(context, node, depth, false);
      node.terms.push_back(std::move(term));
    } else if (token.bracket == kBracketClose) {
      if (depth == 0) throwParseError(context, "Unexpected brace close.");
      if (!inArgument) return warnIfDangling(context, node);
      throwParseError(context, "Wrong number of function parameters. Expected comma separator.");
    } else if (token.bracket == kBracketQuote) {
      // A literal's contents read as ordinary tokens.
      if (!insideLiteral)
        warn(context, "a string literal in a number expression; its text is read as numbers and names");
      insideLiteral = !insideLiteral;
    } else if (token.builtin >= 0) {
      node.terms.push_back(parseCall(context, node, depth, token.builtin));
    } else if (token.op >= 0) {
      Term term;
      term.kind = TermKind::Operator;
      term.op = token.op;
      node.terms.push_back(std::move(term));
    } else {
      node.terms.push_back(parseOperand(context, token.word));
    }
    if (node.terms.size() > termsBefore) warnIfOperandsTouch(context, node);

    if (context.text[context.column] == ' ') ++context.column;
    const char next = context.text[context.column];
    // The end of the text closes the expression as ';' does (a statement cut
    // short, or one ended by a brace), so the loop always ends.
    if (next == ';' || next == 0) {
      if (depth == 0) return warnIfDangling(context, node);
      context.column = openColumn;
      throwParseError(context, "No brace close found for brace opened.");
    }
    if (next == ',') {
      if (!inArgument) throwParseError(context, "Unexpected comma separator. Too many function parameters?");
      warnIfDangling(context, node);
      ++context.column;
      return;
    }
  }
}
