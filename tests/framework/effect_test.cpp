#include "framework/effect.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "framework/effect_loader.h"
#include "framework/timeline.h"
#include "script/error.h"

namespace {

std::vector<std::string> renderLog;

class RecordingEffect : public Effect {
 public:
  void render(float time, float) override {
    framePrologue(time, 0.0f);
    renderLog.push_back(definitionName());
  }
};

// An effect whose data asks for more memory than there is.
class GreedyEffect : public Effect {
 public:
  explicit GreedyEffect(bool atLoad) : atLoad_(atLoad) {}
  void initialise() override {
    if (atLoad_) throw std::bad_alloc();
  }
  void render(float, float) override { throw std::bad_alloc(); }

 private:
  bool atLoad_;
};

std::unique_ptr<Effect> createRecording(std::string_view kind) {
  if (kind == "record") return std::make_unique<RecordingEffect>();
  if (kind == "greedyLoad") return std::make_unique<GreedyEffect>(true);
  if (kind == "greedyDraw") return std::make_unique<GreedyEffect>(false);
  return nullptr;
}

std::unique_ptr<Effect> load(const TimelineEntry& entry, std::string_view definition) {
  return loadEffect(entry, definition, createRecording, ResourceLoaders());
}

TimelineEntry entry(const char* name, float start, float end) {
  TimelineEntry e;
  e.definitionName = name;
  e.start = start;
  e.end = end;
  return e;
}

}  // namespace

TEST(EffectLoader, DeclaresTheWindowAndParameters) {
  TimelineEntry line = entry("fx.txt", 10.0f, 12.5f);
  line.params = {1.0f, 2.5f, 4.0f};
  auto effect = load(line, "code = record\nfloat doubled = paramIn1 * 2;\n");
  ASSERT_TRUE(effect);
  EXPECT_EQ(effect->kind, "record");
  EXPECT_FLOAT_EQ(effect->start, 10.0f);
  EXPECT_FLOAT_EQ(effect->length, 2.5f);
  float value[4] = {};
  effect->getFloat("length", value);
  EXPECT_FLOAT_EQ(value[0], 2.5f);
  effect->getFloat("end", value);
  EXPECT_FLOAT_EQ(value[0], 12.5f);
  effect->getFloat("paramIn2", value);
  EXPECT_FLOAT_EQ(value[0], 4.0f);
  effect->getFloat("doubled", value);  // the definition ran once after loading
  EXPECT_FLOAT_EQ(value[0], 5.0f);
}

TEST(EffectLoader, TextureOutDefaultsToScreen) {
  auto effect = load(entry("a", 0, 1), "code = record\n");
  std::string out;
  effect->getTexture("textureOut", out);
  EXPECT_EQ(out, "screen");
  TimelineEntry withOut = entry("b", 0, 1);
  withOut.outputs = {"x", "y"};
  load(withOut, "code = record\n")->getTexture("textureOut", out);
  EXPECT_EQ(out, "x");
}

TEST(EffectLoader, UnknownOrMissingKindMakesNoEffect) {
  EXPECT_FALSE(load(entry("a", 0, 1), "code = nosuchkind\n"));
  EXPECT_FALSE(load(entry("a", 0, 1), "no code here\nint a;\n"));
}

TEST(EffectLoader, TwoInstancesOfOneDefinitionHaveSeparateScopes) {
  const char* definition = "code = record\nint counter = counter + 1;\n";
  auto first = load(entry("same.txt", 0, 1), definition);
  auto second = load(entry("same.txt", 0, 1), definition);
  first->framePrologue(0, 0);
  first->framePrologue(0, 0);
  int a = 0, b = 0;
  first->getInt("counter", a);
  second->getInt("counter", b);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 1);
}

TEST(EffectFetchers, KindsAndComponents) {
  auto effect = load(entry("f", 0, 1),
                     "code = record\nvec3 v = vec3(1, 2, 3);\nint i = 7;\n"
                     "float list[4];\nlist[2] = 5;\nstring s = \"text\";\n");
  float out[4] = {9, 9, 9, 9};
  effect->getFloat("v", out);
  EXPECT_EQ(out[2], 3.0f);
  EXPECT_EQ(out[3], 9.0f);  // a vec3 writes three floats
  float untouched[4] = {9, 9, 9, 9};
  effect->getFloat("i", untouched);  // wrong kind: nothing written
  EXPECT_EQ(untouched[0], 9.0f);
  effect->getFloatAt("list", out, 2);
  EXPECT_EQ(out[0], 5.0f);
  effect->getFloat("v.y", out);
  EXPECT_EQ(out[0], 2.0f);
  std::string text;
  effect->getTexture("s", text, 5);  // a string ignores the index
  EXPECT_EQ(text, "text");
}

// The error the edges show with its caption and exit 255.
ScriptError missingError(const Effect& effect, const std::function<void()>& fetch) {
  try {
    fetch();
  } catch (const ScriptError& error) {
    return error;
  }
  ADD_FAILURE() << "no error from " << effect.definitionName();
  return {"", ""};
}

TEST(EffectFetchers, MissingVariableThrowsTheRuntimeError) {
  auto effect = load(entry("defs/fx.txt", 0, 1), "code = record\n");
  int value = 0;
  const ScriptError intError = missingError(*effect, [&] { effect->getInt("nothere", value); });
  EXPECT_EQ(intError.caption, "RUNTIME EFFECT ERROR");
  EXPECT_EQ(intError.text, "Missing variable  \n int nothere\n\n from\n defs/fx.txt\n\n");
  float floats[4];
  EXPECT_EQ(missingError(*effect, [&] { effect->getFloatAt("nothere", floats, 1); }).text,
            "Missing variable  \n float nothere\n\n from\n defs/fx.txt\n\n");
}

TEST(EffectFetchers, RecordingDeclaresMissingParametersInFetchOrder) {
  auto effect = load(entry("defs/fx.txt", 0, 1), "code = record\nint kept = 3;\n");
  std::vector<ParameterRecord> records;
  effect->recordParameters(&records);
  int value = 0;
  float floats[4] = {};
  effect->getFloatAt("lights", floats, 2, 3);
  effect->getInt("kept", value);
  effect->getInt("count", value);
  effect->getFloatAt("lights", floats, 4, 3);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, "lights");
  EXPECT_EQ(records[0].type, "vec3");
  EXPECT_EQ(records[0].count, 5);
  EXPECT_EQ(records[1].name, "count");
  EXPECT_EQ(records[1].type, "int");
  EXPECT_EQ(value, 0);
}

TEST(Timeline, HalfOpenWindowsInFileOrder) {
  EffectList effects;
  effects.push_back(load(entry("first", 0, 10), "code = record\n"));
  effects.push_back(load(entry("second", 5, 15), "code = record\n"));
  effects.push_back(load(entry("never", 20, 20), "code = record\n"));
  renderLog.clear();
  runTimeline(effects, 7.0f, 0.0f);
  EXPECT_EQ(renderLog, (std::vector<std::string>{"first", "second"}));
  renderLog.clear();
  runTimeline(effects, 10.0f, 0.0f);
  EXPECT_EQ(renderLog, (std::vector<std::string>{"second"}));
  renderLog.clear();
  runTimeline(effects, 20.0f, 0.0f);
  EXPECT_TRUE(renderLog.empty());
  EXPECT_EQ(effectStartTimes(effects), (std::vector<float>{0.0f, 5.0f, 20.0f}));
}

TEST(Timeline, AllocationFailuresAreDataErrorsNamingTheDefinition) {
  try {
    load(entry("hungry.txt", 0, 10), "code = greedyLoad\n");
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, kRuntimeErrorCaption);
    EXPECT_EQ(error.text, "hungry.txt: not enough memory for what the data asks");
  }
  EffectList effects;
  effects.push_back(load(entry("drawing.txt", 0, 10), "code = greedyDraw\n"));
  try {
    runTimeline(effects, 1.0f, 0.0f);
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.text, "drawing.txt: not enough memory for what the data asks");
  }
}
