// The panel's figures on the real plug-in: quillon_bench [--repetitions N] [--samples N] [size...]
// Each size is a generated scene of that many objects in top-level groups of 100; one line per figure.
// quillon_bench --memory N: the panel's memory for one scene of N objects, alone in a fresh process.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "PanelFigures.h"

namespace {
constexpr int kGroupSize = 100;

// Committed private memory of the process: the heap, and every other allocation the panel can make.
size_t PrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (char* address = nullptr; VirtualQuery(address, &info, sizeof info) == sizeof info;
       address = static_cast<char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (static_cast<char*>(info.BaseAddress) + info.RegionSize < address) break;
  }
  return total;
}

// The scene is built and read first, so that only what the panel keeps after its rebuilds is counted.
bool RunMemory(PluginHost& host, int objects) {
  simBuildGeneratedScene(objects, kGroupSize);
  simLogEnable(0);
  SceneShape shape = ReadSceneShape();
  PluginHost::Pump();
  size_t before = PrivateBytes();
  for (int i = 0; i < 4; ++i) host.LeftClick();
  PluginHost::Pump();
  size_t after = PrivateBytes();
  PrintFigure("memory", Field("objects", objects) + Field("items", static_cast<int>(shape.items.size())) +
                            Field("before_kb", static_cast<int>(before / 1024)) +
                            Field("after_kb", static_cast<int>(after / 1024)) +
                            Field("per_object_bytes", static_cast<double>(after - before) / objects));
  return true;
}

// The panel hidden, a new scene (every object a new handle), then the click that shows the panel: the
// first show of a scene, as the user sees it after loading one. The last scene built stays for the rest.
Timing ColdShowMs(PluginHost& host, int objects, int repetitions) {
  std::vector<double> shows;
  for (int i = 0; i < repetitions; ++i) {
    host.Deactivate();
    simBuildGeneratedScene(objects, kGroupSize);
    simLogEnable(0);
    PluginHost::Pump();
    Stopwatch watch;
    host.LeftClick();
    UpdateWindow(host.Panel());
    shows.push_back(watch.ElapsedMs());
  }
  PluginHost::Pump();
  return TimingOf(shows);
}

bool RunSize(PluginHost& host, int objects, const BenchOptions& options) {
  Timing coldShow = ColdShowMs(host, objects, options.repetitions);
  SceneShape shape = ReadSceneShape();
  PanelFigures figures(host, shape, options);
  bool ok = figures.Rebuild(coldShow);
  ok = figures.HostWalk() && ok;
  ok = figures.HostCalls() && ok;
  ok = figures.ControlMessages() && ok;
  ok = figures.Selection() && ok;
  ok = figures.ExpandedRebuild() && ok;
  return ok;
}
}  // namespace

int main(int argc, char** argv) {
  BenchOptions options;
  std::vector<int> sizes;
  int memoryObjects = 0;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--memory") && i + 1 < argc)
      memoryObjects = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--repetitions") && i + 1 < argc)
      options.repetitions = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--samples") && i + 1 < argc)
      options.selectionSamples = atoi(argv[++i]);
    else if (atoi(argv[i]) > 0)
      sizes.push_back(atoi(argv[i]));
    else {
      fprintf(stderr, "usage: quillon_bench [--repetitions N] [--samples N] [objects...] | --memory N\n");
      return 2;
    }
  }
  if (sizes.empty()) sizes = {1000, 10000, 100000};
  if (options.repetitions < 1) options.repetitions = 1;

  PluginHost host;
  if (!host.Loaded()) {
    fprintf(stderr, "Quillon_ts4.tsx did not load beside Tsxapi.dll\n");
    return 1;
  }
  host.Initialise();
  if (memoryObjects > 0) return RunMemory(host, memoryObjects) ? 0 : 1;
  bool ok = true;
  for (int objects : sizes) ok = RunSize(host, objects, options) && ok;
  simUserDeselectAll();
  if (simViolationCount() != 0) {
    char text[256] = {};
    simLastViolation(text, sizeof text);
    fprintf(stderr, "host violations: %d, last: %s\n", simViolationCount(), text);
    ok = false;
  }
  return ok ? 0 : 1;
}
