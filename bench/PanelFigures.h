// The black-box figures of the panel, each measured on the real Quillon_ts4.tsx through the simulator and
// the tree control's own window, and printed as one line of key=value pairs.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "SceneShape.h"
#include "Stopwatch.h"

struct BenchOptions {
  int repetitions = 5;        // timings per figure; the median, the fastest and the slowest are printed
  int selectionSamples = 40;  // selections timed per kind
};

// Everything below expects the scene built and the plug-in initialised and left-clicked once.
class PanelFigures {
 public:
  PanelFigures(PluginHost& host, const SceneShape& shape, const BenchOptions& options)
      : FHost(host), FShape(shape), FOptions(options) {}

  // Each returns false when what it measured is not what it meant to measure (the panel showed a
  // different tree, a selection landed elsewhere); the figure is then printed with ok=0.
  // coldShow: the panel's first show of this scene, which has to be taken before the figures are made.
  bool Rebuild(const Timing& coldShow);
  // Also the warm rebuild that ExpandedRebuild compares with: run it first.
  bool HostWalk();
  bool HostCalls();
  bool ControlMessages();
  bool Selection();
  bool ExpandedRebuild();

 private:
  void LeftClick();
  std::map<UINT, int> MessagesOfLeftClick();
  bool ReportMessages(const char* name, const std::map<UINT, int>& counts);
  int ExpandTopLevel(UINT action);
  bool SelectAndCheck(SobjHandle object, const std::string& label, double& ms);
  bool SelectSample(SobjHandle object, double& total, double& own);
  bool CloseRevealedGroup();
  void PrintSelection(const char* kind, const std::vector<double>& times, const std::vector<double>& own,
                      bool ok);
  std::map<std::string, int> CallCounts(const std::function<void()>& action);

  PluginHost& FHost;
  const SceneShape& FShape;
  BenchOptions FOptions;
  int FBranchesBefore = 0;  // branches the control held before the counted left click
  Timing FWarmRebuild;
};

// Prints "name key=value ..." on one line and flushes, so that a run cut short keeps its figures.
void PrintFigure(const std::string& name, const std::string& fields);
std::string Field(const char* key, double value);
std::string Field(const char* key, int value);
std::string Field(const char* key, const std::string& value);
// "key=median key_min=... key_max=..."
std::string Field(const std::string& key, const Timing& timing);
