// The plug-in's own code linked with the simulator, to take the figures of quillon_bench apart where the
// black box only sees their sum: quillon_bench_whitebox [--repetitions N] [objects]
//
// What the expansion memory costs a rebuild. A rebuild that finds branches open puts their children into
// the control again: that is the price of showing them (the same as opening them by hand), not of
// remembering them. The memory itself is one walk over every item noting the open branches before the
// items are dropped (after asking the control about the branches it holds), and one lookup per remembered
// object among the new items; the walk of every item is timed here on the expanded tree.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Main.h"
#include "SimControl.h"
#include "Stopwatch.h"

namespace {
constexpr int kGroupSize = 100;

struct Options {
  int repetitions = 5;
  int objects = 100000;
};

TTreeNodes& Items() {
  return MainForm->TreeView->Items();
}
TTreeNode* Root() {
  return Items().GetFirstNode();
}

void SetGroupsExpanded(bool expanded) {
  if (!Root()) return;
  Items().BeginUpdate();
  for (int i = 0; i < Root()->Count(); ++i) Root()->Item(i)->SetExpanded(expanded);
  Items().EndUpdate();
}

void PlainRebuild() {
  SetGroupsExpanded(false);
  MainForm->RebuildTree();
}

void PrintTiming(const char* key, const Timing& timing) {
  printf(" %s=%.3f %s_min=%.3f %s_max=%.3f", key, timing.median, key, timing.min, key, timing.max);
}

// Only the memory's own part is timed here; the rebuilds it is set against are the black box's figures,
// so that each figure of the report comes from one measurement.
void PrintExpansion(const Options& options) {
  SetGroupsExpanded(true);
  MainForm->RebuildTree();
  int groups = 0;
  for (int i = 0; i < Root()->Count(); ++i) groups += Root()->Item(i)->Expanded() ? 1 : 0;
  Timing walk = TimeMs(options.repetitions, nullptr, [] {
    int visited = 0;
    for (TTreeNode* node = Root(); node; node = node->GetNext()) visited += node->Expanded() ? 1 : 0;
    if (visited < 0) printf("impossible\n");  // keeps the walk from being optimised away
  });
  printf("expansion_whitebox objects=%d items=%d expanded_groups=%d", options.objects, Items().Count(),
         groups);
  PrintTiming("item_walk_ms", walk);
  printf("\n");
  fflush(stdout);
  SetGroupsExpanded(false);
}

// The selection's two steps: finding the item (the walk's handle map) and selecting it (which reveals it).
void PrintSelection(const Options& options) {
  PlainRebuild();
  std::vector<TTreeNode*> members;
  for (int i = 0; i < Root()->Count(); i += std::max(1, Root()->Count() / 40)) {
    TTreeNode* group = Root()->Item(i);
    if (group->Count()) members.push_back(group->Item(group->Count() / 2));
  }
  std::vector<double> finds, selects;
  for (TTreeNode* member : members) {
    Stopwatch find;
    TTreeNode* found = MainForm->FindNodeBySobj(static_cast<SobjHandle>(member->Data()));
    finds.push_back(find.ElapsedMs());
    if (found != member) {
      printf("selection_whitebox ok=0 error=lookup_found_another_item\n");
      return;
    }
    Stopwatch select;
    MainForm->TreeView->SetSelected(member);
    selects.push_back(select.ElapsedMs());
    member->Parent()->Collapse(false);
  }
  printf("selection_whitebox objects=%d samples=%d", options.objects, static_cast<int>(members.size()));
  PrintTiming("find_ms", TimingOf(finds));
  PrintTiming("select_in_collapsed_group_ms", TimingOf(selects));
  printf("\n");
  fflush(stdout);
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--repetitions") && i + 1 < argc)
      options.repetitions = std::max(1, atoi(argv[++i]));
    else if (atoi(argv[i]) > 0)
      options.objects = atoi(argv[i]);
  }
  simBuildGeneratedScene(options.objects, kGroupSize);
  simLogEnable(0);
  EnsureMainForm();
  if (!MainForm) return 1;
  MainForm->HandleNeeded();
  MainForm->Show();
  MainForm->RebuildTree();
  PrintExpansion(options);
  PrintSelection(options);
  return 0;
}
