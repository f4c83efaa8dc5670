// The script evaluator against embedded Lua 5.4 on the same workload: a
// while loop of 1,000,000 passes with additions, multiplications, sin,
// linearPulse, a vec3 update and an array element write. Both programs are
// compiled once; only running them is timed. Lua gets its fastest fair form:
// locals, math.sin as an upvalue, linearPulse as a C function (as our
// built-ins are native), the vector as a table updated in place. A second
// Lua run defines linearPulse in Lua itself, as a show author would have to.
#include <benchmark/benchmark.h>

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "gfx/math.h"
#include "script/script.h"

namespace {

const char kScript[] =
    "float acc = 0; float s = 0; float t = 0; vec3 p = 0; float arr[64]; int i = 0;"
    "while (i < 1000000) {"
    "  t = i * 0.001;"
    "  s = sin(t) * 0.5 + acc;"
    "  acc = linearPulse(t, 1, 3, 1) * 2 + s;"
    "  p = p + vec3(t, acc, 1) * 0.001;"
    "  arr[i] = acc * t;"
    "  i = i + 1;"
    "}";

const char kLuaPulse[] = R"(
local function ramp(x, s, len)
  if not (x >= s) then return 0 end
  local d = x - s
  if len > d then return d / len end
  return 1
end
local function rampDown(x, s, len)
  if not (x >= s) then return 1 end
  local d = x - s
  if len > d then return 1 - d / len end
  return 0
end
function luaPulse(a, b, c, d) return ramp(a, 0, b) * rampDown(a - c, 0, d) end
)";

const char kLua[] = R"(
local sin, linearPulse = math.sin, linearPulse
local acc, s, t = 0, 0, 0
local p = {x = 0, y = 0, z = 0}
local arr = {}
for k = 1, 64 do arr[k] = 0 end
local i = 0
while i < 1000000 do
  t = i * 0.001
  s = sin(t) * 0.5 + acc
  acc = linearPulse(t, 1, 3, 1) * 2 + s
  p.x = (p.x + t) * 0.001
  p.y = (p.y + acc) * 0.001
  p.z = (p.z + 1) * 0.001
  arr[i % 64 + 1] = acc * t
  i = i + 1
end
return acc
)";

int luaLinearPulse(lua_State* lua) {
  const float a = float(luaL_checknumber(lua, 1)), b = float(luaL_checknumber(lua, 2)),
              c = float(luaL_checknumber(lua, 3)), d = float(luaL_checknumber(lua, 4));
  lua_pushnumber(lua, double(rampUp(a, 0, b)) * rampDown(a - c, 0, d));
  return 1;
}

void BM_ScriptWhileLoop(benchmark::State& state) {
  Script script;
  compileScriptBody(script, kScript, {});
  for (auto _ : state) runScript(script);
  const Variable* acc = findVariable(script.variables, "acc");
  state.counters["acc"] = acc->data[0].f;
}
BENCHMARK(BM_ScriptWhileLoop)->Unit(benchmark::kMillisecond);

void runLua(benchmark::State& state, bool pulseInLua) {
  lua_State* lua = luaL_newstate();
  luaL_openlibs(lua);
  lua_register(lua, "linearPulse", luaLinearPulse);
  if (pulseInLua) {
    luaL_dostring(lua, kLuaPulse);
    lua_getglobal(lua, "luaPulse");
    lua_setglobal(lua, "linearPulse");
  }
  if (luaL_loadstring(lua, kLua) != LUA_OK) {
    state.SkipWithError(lua_tostring(lua, -1));
    lua_close(lua);
    return;
  }
  double acc = 0;
  for (auto _ : state) {
    lua_pushvalue(lua, -1);
    lua_call(lua, 0, 1);
    acc = lua_tonumber(lua, -1);
    lua_pop(lua, 1);
  }
  state.counters["acc"] = acc;
  lua_close(lua);
}

void BM_LuaWhileLoop(benchmark::State& state) { runLua(state, false); }
BENCHMARK(BM_LuaWhileLoop)->Unit(benchmark::kMillisecond);

void BM_LuaWhileLoopPulseInLua(benchmark::State& state) { runLua(state, true); }
BENCHMARK(BM_LuaWhileLoopPulseInLua)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
