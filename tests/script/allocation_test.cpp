// Running compiled code allocates nothing: every allocation of this test
// binary goes through the counting operator new below.
#include <atomic>
#include <cstdlib>
#include <new>

#include "script_test_support.h"

namespace {
std::atomic<long> allocations{0};
}

// GCC cannot see that these replace the global pair and warns about free()
// on memory from operator new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

TEST(EvaluatorAllocation, RunBlockAllocatesNothing) {
  CompiledScript compiled;
  declareEffectVariables(compiled.script, 0, 10, {1, 2}, "screen");
  compiled.compile(
      "float acc; vec3 p = vec3(1, 2, 3); float arr[16]; int i = 0; curve c; string s = \"x\";"
      "texture tx = \"in0\"; while (i < 100) {"
      "  acc = acc + sin(i * 0.01) * linearPulse(time, 1, 3, 1) - smoothOn(time, 2);"
      "  p = rotate(p, 0.01, 1) + cross(p, vec3(0, 1, 0)) * 0.001 + curvePos(c, time);"
      "  arr[i] = (acc + p.x) * 0.5 / 2 + randf() + dot(p, p) + atan(p.y, p.z) + pow(acc, 2);"
      "  if (acc > 5) { acc = mod(acc) + unit(p.z) + s + tx; }"
      "  i = i + 1;"
      "}");
  runFramePrologue(compiled.script, 1.5f, 0.1f);  // warm up
  const long before = allocations.load();
  for (int frame = 0; frame < 10; ++frame) runFramePrologue(compiled.script, 2.0f + frame, 0.1f);
  EXPECT_EQ(allocations.load() - before, 0);
  EXPECT_EQ(compiled.i("i"), 100);
}

TEST(EvaluatorAllocation, CounterSeesAllocations) {
  const long before = allocations.load();
  auto* probe = new std::string(100, 'x');
  delete probe;
  EXPECT_GT(allocations.load(), before);
}

}  // namespace
