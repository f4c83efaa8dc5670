#include "tools/show_run_up.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "effects/accumulation_ring.h"
#include "effects/parameters.h"
#include "pack/pack.h"
#include "script/script.h"
#include "tools/frame_grid.h"

namespace {

// What a kind carries from one frame to the next, beyond its script.
struct KindCarry {
  std::string_view kind;
  bool ownState;        // in the instance: springs, a deformed tube, motion's last frame
  bool kindState;       // program-wide per kind: spectrum history, ring cursor, swim path
  bool stirsParticles;  // moves the particles of its "meshParticles" in place
  bool ring;            // copies its passes into the shared accumulation ring
  bool camera;          // reads the camera the effects share, and may set it
  bool phong;           // reads the phong controls that keep their last fetched values
};

constexpr KindCarry kCarries[] = {
    {"breaker", false, false, true, false, true, false},
    {"springy", true, true, true, false, true, true},
    {"springer", true, true, true, false, true, true},
    {"cubetube", true, true, true, true, true, false},
    {"twist", true, true, false, true, true, true},
    {"meshi", true, true, false, true, true, true},
    {"motion", true, false, false, false, true, true},
    {"basicmesh", false, false, false, false, true, true},
    {"curvex", false, false, false, false, true, true},
    {"box", false, false, false, false, true, true},
    {"cast", false, false, false, false, true, false},
    {"layer", false, false, false, false, true, false},
    {"projectioner", false, false, false, false, true, false},
    {"sorver", false, false, false, false, true, false},
    {"sorverBreak", false, false, false, false, true, false},
    {"spektrometri", false, false, false, false, true, false},
    {"text", false, false, false, false, true, false},
};

constexpr const char* kCameraValues[] = {"cameraPos", "cameraLookAt", "cameraRPY",
                                         "cameraLookAtRPY", "cameraZoom"};
// The phong controls that a frame's presets leave as the last effect set them.
constexpr const char* kKeptPhongValues[] = {"meshSpecAdd", "meshTexAdd"};

bool declares(const Effect& effect, const char* name) {
  return findVariable(effect.script->variables, name) != nullptr;
}

// Whether the effect surely sets a camera value each frame: the camera block
// does with setCamera on, for the values declared; the kinds that place the
// camera themselves do for the values they place.
bool surelySetsCamera(const Effect& effect, const KindCarry& carry, std::string_view value) {
  const bool position = value == kCameraValues[0], lookAt = value == kCameraValues[1];
  if (carry.kind == "projectioner") return position || lookAt;
  if (carry.kind == "spektrometri")
    return (position && declares(effect, "cameraPosition")) ||
           (lookAt && declares(effect, "cameraLookAt"));
  if (carry.kind == "layer") return (position || lookAt) && declares(effect, value.data());
  return declares(effect, "setCamera") && readInt(effect, "setCamera") != 0 &&
         declares(effect, value.data());
}

// A value may be set when the effect surely sets it or declares it; it is
// read unless surely set.
void describeCarriedValues(const Effect& effect, const KindCarry& carry, PlannedEffect& planned) {
  const auto carried = [&](const char* value, bool surely) {
    if (surely || declares(effect, value)) planned.setsValues.push_back(value);
    if (!surely) planned.readsValues.push_back(value);
  };
  if (carry.camera)
    for (const char* value : kCameraValues) carried(value, surelySetsCamera(effect, carry, value));
  if (carry.phong)
    for (const char* value : kKeptPhongValues) carried(value, declares(effect, value));
}

const KindCarry* carryOf(const std::string& kind) {
  for (const KindCarry& carry : kCarries)
    if (carry.kind == kind) return &carry;
  return nullptr;
}

// Every texture name the effect's variables hold, but its output.
std::vector<std::string> texturesRead(const Effect& effect) {
  std::vector<std::string> names;
  for (const auto& [name, variable] : effect.script->variables.byName) {
    if (name == "textureOut") continue;
    if (variable->kind == ValueKind::String && variable->text)
      names.push_back(variable->text->text);
    if (variable->kind == ValueKind::Texture && variable->list)
      for (const std::string& texture : variable->list->textureNames) names.push_back(texture);
  }
  return names;
}

std::vector<const void*> particleMeshes(const Effect& effect) {
  std::vector<const void*> meshes;
  const Variable* variable = findVariable(effect.script->variables, "meshParticles");
  if (variable && variable->kind == ValueKind::Mesh && variable->list)
    for (const auto& mesh : variable->list->meshes)
      if (mesh) meshes.push_back(mesh.get());
  return meshes;
}

bool isNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether the definition uses the "frame" counter, which counts the frames
// its effect drew: then its state starts with its window, whatever its kind.
bool countsItsFrames(const Effect& effect) {
  std::vector<uint8_t> bytes;
  if (loadFile(effect.definitionName(), bytes) == kLoadMissing) return false;
  std::string text(bytes.begin(), bytes.end());
  for (size_t comment = text.find("//"); comment != std::string::npos;
       comment = text.find("//", comment))
    text.erase(comment, text.find('\n', comment) - comment);
  constexpr std::string_view kCounter = "frame";
  for (size_t at = text.find(kCounter); at != std::string::npos; at = text.find(kCounter, at + 1))
    if ((at == 0 || !isNamePart(text[at - 1])) &&
        (at + kCounter.size() == text.size() || !isNamePart(text[at + kCounter.size()])))
      return true;
  return false;
}

PlannedEffect describeEffect(const Effect& effect, double fps, long limit) {
  PlannedEffect planned;
  planned.kind = effect.kind;
  planned.firstFrame = firstFrameReaching(effect.start, fps, limit);
  planned.endFrame =
      std::max(planned.firstFrame,
               firstFrameReaching(double(effect.start) + double(effect.length), fps, limit));
  planned.readsTextures = texturesRead(effect);
  planned.keepsOwnState = countsItsFrames(effect);
  if (findVariable(effect.script->variables, "textureOut"))
    planned.writesTexture = readTexture(effect, "textureOut");
  if (const KindCarry* carry = carryOf(effect.kind)) {
    planned.keepsOwnState = planned.keepsOwnState || carry->ownState;
    planned.keepsKindState = carry->kindState;
    planned.usesRing = carry->ring;
    if (carry->ring && findVariable(effect.script->variables, "accumNum"))
      planned.ringSize = clampRingSize(readInt(effect, "accumNum"));
    if (carry->stirsParticles) planned.stirredMeshes = particleMeshes(effect);
    describeCarriedValues(effect, *carry, planned);
  }
  return planned;
}

}  // namespace

std::vector<PlannedEffect> describeEffects(const EffectList& effects, double fps, long limit) {
  std::vector<PlannedEffect> planned;
  for (const std::unique_ptr<Effect>& effect : effects)
    planned.push_back(describeEffect(*effect, fps, limit));
  return planned;
}

void runUpShow(OfflineShow& show, const RunUpPlan& plan, double fps) {
  std::vector<bool> chosen(show.effects.size(), false);
  // Each frame of the straight render but the first starts after a
  // presentation, which sets part of the drawing state.
  if (plan.firstFrame > 0) advanceOfflineFrame(show, 0.0f, 0.0f, chosen, true);
  for (long frame = plan.firstFrame; frame < plan.rangeStart; ++frame) {
    bool any = false;
    for (size_t effect = 0; effect < chosen.size(); ++effect) {
      chosen[effect] = runUpNeed(plan, effect, frame) != RunUpNeed::None;
      any = any || chosen[effect];
    }
    if (any) advanceOfflineFrame(show, gridTime(fps, frame), gridStep(fps, frame), chosen, true);
  }
}
