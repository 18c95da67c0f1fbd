// The panel's figures on the real plug-in: quillon_bench [--repetitions N] [--samples N] [size...]
// Each size is a generated scene of that many objects in top-level groups of 100; one line per figure.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "PanelFigures.h"

namespace {
constexpr int kGroupSize = 100;

bool RunSize(PluginHost& host, int objects, const BenchOptions& options) {
  simBuildGeneratedScene(objects, kGroupSize);
  simLogEnable(0);
  SceneShape shape = ReadSceneShape();
  host.LeftClick();  // the panel's window and the first fill are not what is measured
  PluginHost::Pump();
  PanelFigures figures(host, shape, options);
  bool ok = figures.Rebuild();
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
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--repetitions") && i + 1 < argc)
      options.repetitions = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--samples") && i + 1 < argc)
      options.selectionSamples = atoi(argv[++i]);
    else if (atoi(argv[i]) > 0)
      sizes.push_back(atoi(argv[i]));
    else {
      fprintf(stderr, "usage: quillon_bench [--repetitions N] [--samples N] [objects...]\n");
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
