// Variable declarations and the statements that fill list variables at
// compile time: curve, string, mesh, material and texture.
#include "script/variable_text.h"
#include "script_test_support.h"

namespace {

TEST(Variables, VectorsRegisterTheirComponentAliases) {
  VariableTable table;
  Variable* p = addVector(table, ValueKind::Vec3, "p", 2);
  ASSERT_NE(p, nullptr);
  const Variable* y = findVariable(table, "p.y");
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(y->kind, ValueKind::Float);
  EXPECT_EQ(y->stride, 3u);
  EXPECT_EQ(y->count, 2u);
  EXPECT_EQ(y->data, p->data + 1);
  EXPECT_NE(findVariable(table, "p.z"), nullptr);
  EXPECT_EQ(findVariable(table, "p.w"), nullptr);
  EXPECT_EQ(findVariable(table, "P"), nullptr);  // case matters
}

TEST(Variables, RedeclarationChangesNothing) {
  VariableTable table;
  Variable* first = addFloat(table, "a", 2);
  first->data[1].f = 5;
  EXPECT_EQ(addInt(table, "a"), nullptr);
  EXPECT_EQ(addTexture(table, "a"), nullptr);
  EXPECT_EQ(findVariable(table, "a"), first);
  EXPECT_EQ(first->kind, ValueKind::Float);
  EXPECT_EQ(first->data[1].f, 5);
}

TEST(Variables, AliasReplacesAnEntryButKeepsItAlive) {
  VariableTable table;
  Variable* old = addFloat(table, "v.x");
  addVector(table, ValueKind::Vec2, "v");
  EXPECT_NE(findVariable(table, "v.x"), old);
  ASSERT_EQ(table.replaced.size(), 1u);
  EXPECT_EQ(table.replaced[0].get(), old);
}

TEST(Variables, ListCountsStartPerKind) {
  VariableTable table;
  EXPECT_EQ(addCurve(table, "c")->list->count, 0u);
  EXPECT_EQ(addTexture(table, "t")->list->count, 1u);
  EXPECT_EQ(addMesh(table, "m")->count, 1u);
  EXPECT_EQ(addMaterial(table, "mt")->count, 0u);
  EXPECT_EQ(addString(table, "s")->count, 1u);
}

TEST(Variables, TableOrderIsByteOrder) {
  VariableTable table;
  for (const char* name : {"b", "a.x", "B", "a", "_z"}) addFloat(table, name);
  std::string order;
  for (const auto& [name, variable] : table.byName) order += name + " ";
  EXPECT_EQ(order, "B _z a a.x b ");
}

TEST(ListStatements, StringKeepsTheLastLiteral) {
  auto compiled = runBody("string s = \"abc\", \"def\"; string e;");
  EXPECT_EQ(compiled->variable("s").text->text, "def");
  EXPECT_EQ(compiled->variable("e").text->text, "");
  EXPECT_TRUE(compiled->script.rootBlock.children.empty());  // no code left behind
}

TEST(ListStatements, MeshesAndMaterialsGoThroughTheLoaders) {
  auto compiled = runBody("mesh m = \"a.lwo\", \"b.lwo\"; material mt = \"x.mat\"; m = \"c.lwo\";");
  const Variable& m = compiled->variable("m");
  EXPECT_EQ(m.list->meshes.size(), 3u);
  EXPECT_EQ(m.list->count, 4u);
  EXPECT_EQ(compiled->variable("mt").list->materials.size(), 1u);
  const auto& requests = compiled->recording.requests;
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].function, "mesh");
  EXPECT_EQ(requests[1].name, "b.lwo");
  EXPECT_EQ(requests[2].function, "material");
  EXPECT_EQ(requests[3].name, "c.lwo");
}

TEST(ListStatements, WithoutLoadersNamesAreStillAppended) {
  CompiledScript compiled;
  compiled.environment.loaders = nullptr;
  compiled.compile("mesh m = \"a.lwo\"; texture t = textureLoad(\"a.png\");");
  EXPECT_EQ(compiled.variable("m").list->meshes.size(), 1u);
  EXPECT_EQ(compiled.variable("t").list->textureNames.size(), 1u);
}

std::vector<std::string> textureNames(CompiledScript& compiled, const char* name) {
  return compiled.variable(name).list->textureNames;
}

TEST(TextureStatement, LoadRegistersUnderThePathOrTheName) {
  CompiledScript compiled;
  compiled.compile(
      "texture a = textureLoad(\"wall.jpg\"); texture b = textureLoad(\"maps.png.jpg\", \"m\", 2, 0.5);"
      "texture c = textureLoad(\"x.jpg\", \"n\", q, z);");
  EXPECT_EQ(textureNames(compiled, "a"), std::vector<std::string>{"wall.jpg"});
  EXPECT_EQ(textureNames(compiled, "b"), std::vector<std::string>{"m"});
  EXPECT_EQ(compiled.variable("b").list->count, 2u);
  const auto& requests = compiled.recording.requests;
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].function, "jpeg");
  EXPECT_EQ(requests[0].path, "wall.jpg");
  EXPECT_EQ(requests[1].function, "png");  // ".png" anywhere in the path
  EXPECT_EQ(requests[1].bump, 2);
  EXPECT_EQ(requests[1].saturation, 0.5f);
  EXPECT_EQ(requests[2].bump, 1);  // words that do not read as numbers
}

TEST(TextureStatement, MakeTakesNameAndSize) {
  CompiledScript compiled;
  compiled.compile("texture t = textureMake(\"buffer\", 256, 128), textureMake(\"full\");");
  EXPECT_EQ(textureNames(compiled, "t"), (std::vector<std::string>{"buffer", "full"}));
  const auto& requests = compiled.recording.requests;
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].width, 256);
  EXPECT_EQ(requests[0].height, 128);
  EXPECT_EQ(requests[1].name, "full");
}

TEST(TextureStatement, InputNamesStandForTheEffectsInputs) {
  CompiledScript compiled;
  compiled.environment.inputTextureNames = {"first"};
  compiled.compile("texture t = \"in0\", \"in1\", \"screen\", \"in6\";");
  EXPECT_EQ(textureNames(compiled, "t"), (std::vector<std::string>{"first", "", "screen", "in6"}));
  EXPECT_TRUE(compiled.recording.requests.empty());
}

TEST(TextureStatement, LiteralAfterAClosedLoadIsItsNameArgument) {
  CompiledScript compiled;
  compiled.compile("texture t = textureLoad(\"a.png\"), \"b\";");
  EXPECT_EQ(textureNames(compiled, "t"), std::vector<std::string>{"a.png"});
  EXPECT_EQ(compiled.recording.requests.size(), 1u);
}

}  // namespace

namespace {

TEST(VariableText, EveryKindInTheListingFormat) {
  CompiledScript compiled;
  compiled.environment.inputTextureNames = {"input"};
  compiled.compile(
      "int n[2] = 0 - 3; float f = 0.1; vec2 v[2]; v[1] = vec2(1.5, 2); string s = \"a b\"; string e;"
      "texture t = \"in0\", \"x\"; texture none; mesh m = \"a\", \"b\"; material mt; curve c = \"x\";");
  compiled.run();
  EXPECT_EQ(describeVariables(compiled.script.variables),
            "c curve 1\n"
            "e string \"\"\n"
            "f float 1 0.100000001\n"
            "m mesh 2\n"
            "mt material 0\n"
            "n int 2 -3 0\n"
            "none texture\n"
            "s string \"a b\"\n"
            "t texture \"input\" \"x\"\n"
            "v vec2 2 0 0 1.5 2\n"
            "v.x float 2 0 1.5\n"
            "v.y float 2 0 2\n");
}

}  // namespace
