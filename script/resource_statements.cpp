#include "script/resource_statements.h"

#include "gfx/curve_file.h"
#include "script/lexer.h"

namespace {

char current(const ResourceStatement& statement) {
  return statement.context.text[statement.context.column];
}

bool atStatementEnd(const ResourceStatement& statement) {
  return current(statement) == ';' || current(statement) == 0;
}

void skipOneBlank(ResourceStatement& statement) {
  if (current(statement) == ' ') ++statement.context.column;
}

const ResourceLoaders& loaders(const ResourceStatement& statement) {
  static const ResourceLoaders none;
  return statement.environment.loaders ? *statement.environment.loaders : none;
}

void appendLiteral(ResourceStatement& statement, const std::string& literal) {
  Variable& target = statement.target;
  const ResourceLoaders& load = loaders(statement);
  switch (target.kind) {
    case ValueKind::String: target.text->text = literal; return;
    case ValueKind::Curve: target.list->curves.push_back(loadCurve(literal)); break;
    case ValueKind::Mesh:
      target.list->meshes.push_back(load.loadMesh ? load.loadMesh(literal) : nullptr);
      break;
    case ValueKind::Material:
      target.list->materials.push_back(load.loadMaterial ? load.loadMaterial(literal) : nullptr);
      break;
    default: return;
  }
  ++target.list->count;
}

void appendTextureName(ResourceStatement& statement, const std::string& name) {
  statement.target.list->textureNames.push_back(name);
  ++statement.target.list->count;
}

// "in0".."in5" stand for the effect's input textures (empty when missing).
std::string resolveInputName(const ResourceStatement& statement, const std::string& literal) {
  if (literal.size() != 3 || literal[0] != 'i' || literal[1] != 'n' || literal[2] < '0' ||
      literal[2] > '5')
    return literal;
  const size_t k = size_t(literal[2] - '0');
  const auto& inputs = statement.environment.inputTextureNames;
  return k < inputs.size() ? inputs[k] : std::string();
}

enum class TextureFunction { None, Load, Make };

struct TextureArguments {
  int position = -1;
  std::string path, name;
  int bump = 0;
  float saturation = 1.0f;
  int width = 0, height = 0;
};

void textureLoadArgument(TextureArguments& args, const ExpressionToken& token, bool isLiteral,
                         const std::string& literal) {
  if (isLiteral && args.position == 0) args.path = literal;
  if (isLiteral && args.position == 1) args.name = literal;
  if (!token.word.empty() && args.position == 2 && !readIntegerWord(token.word, args.bump))
    args.bump = 1;
  if (!token.word.empty() && args.position == 3 && !readNumberWord(token.word, args.saturation))
    args.saturation = 1.0f;
}

void finishTextureLoad(ResourceStatement& statement, TextureArguments& args) {
  if (args.name.empty()) args.name = args.path;
  appendTextureName(statement, args.name);
  const ResourceLoaders& load = loaders(statement);
  if (args.path.find(".png") != std::string::npos) {
    if (load.loadPngTexture) load.loadPngTexture(args.bump, args.name, args.path, args.saturation);
  } else if (load.loadJpegTexture) {
    load.loadJpegTexture(args.bump, args.name, args.path);
  }
}

void textureMakeArgument(TextureArguments& args, const ExpressionToken& token, bool isLiteral,
                         const std::string& literal) {
  if (isLiteral && args.position == 0) args.name = literal;
  if (!token.word.empty() && args.position == 1 && !readIntegerWord(token.word, args.width))
    args.width = 0;
  if (!token.word.empty() && args.position == 2 && !readIntegerWord(token.word, args.height))
    args.height = 0;
}

void finishTextureMake(ResourceStatement& statement, const TextureArguments& args) {
  appendTextureName(statement, args.name);
  const ResourceLoaders& load = loaders(statement);
  if (load.makeTexture) load.makeTexture(args.name, args.width, args.height);
}

}  // namespace

void compileListStatement(ResourceStatement& statement) {
  ParseContext& context = statement.context;
  while (!atStatementEnd(statement)) {
    const ExpressionToken token = readExpressionToken(context.text, context.column);
    if (token.bracket == kBracketQuote)
      appendLiteral(statement, readStringLiteral(context.text, context.column));
    skipOneBlank(statement);
  }
}

void compileTextureStatement(ResourceStatement& statement) {
  ParseContext& context = statement.context;
  TextureFunction function = TextureFunction::None;
  TextureArguments args;
  while (!atStatementEnd(statement)) {
    const ExpressionToken token = readExpressionToken(context.text, context.column);
    const bool isLiteral = token.bracket == kBracketQuote;
    const std::string literal = isLiteral ? readStringLiteral(context.text, context.column) : "";
    if (function == TextureFunction::Load) {
      textureLoadArgument(args, token, isLiteral, literal);
      if (token.bracket == kBracketClose) finishTextureLoad(statement, args);
    } else if (function == TextureFunction::Make) {
      textureMakeArgument(args, token, isLiteral, literal);
      if (token.bracket == kBracketClose) finishTextureMake(statement, args);
    } else if (isLiteral) {
      appendTextureName(statement, resolveInputName(statement, literal));
    }
    if (current(statement) == ',') {
      ++args.position;
      ++context.column;
    }
    const std::string& read = isLiteral ? literal : token.word;
    if (read == "textureLoad" || read == "textureMake") {
      function = read == "textureLoad" ? TextureFunction::Load : TextureFunction::Make;
      args.position = 0;
    }
    if (token.bracket == kBracketOpen) args.position = 0;
    skipOneBlank(statement);
  }
}
