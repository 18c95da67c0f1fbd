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

void PrintExpansion(const Options& options) {
  const int reps = options.repetitions;
  double plain = MedianMs(reps, PlainRebuild, [] { MainForm->RebuildTree(); });
  SetGroupsExpanded(true);
  MainForm->RebuildTree();
  int groups = 0;
  for (int i = 0; i < Root()->Count(); ++i) groups += Root()->Item(i)->Expanded() ? 1 : 0;
  double expanded = MedianMs(reps, nullptr, [] { MainForm->RebuildTree(); });
  double walk = MedianMs(reps, nullptr, [] {
    int visited = 0;
    for (TTreeNode* node = Root(); node; node = node->GetNext()) visited += node->Expanded() ? 1 : 0;
    if (visited < 0) printf("impossible\n");  // keeps the walk from being optimised away
  });
  double memory = walk;
  printf(
      "expansion_whitebox objects=%d items=%d expanded_groups=%d plain_rebuild_ms=%.3f "
      "expanded_rebuild_ms=%.3f "
      "item_walk_ms=%.3f memory_and_restore_ms=%.3f memory_and_restore_pct_of_plain=%.2f "
      "showing_the_open_branches_ms=%.3f\n",
      options.objects, Items().Count(), groups, plain, expanded, walk, memory, 100.0 * memory / plain,
      expanded - plain - memory);
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
  printf(
      "selection_whitebox objects=%d samples=%d find_mean_ms=%.3f select_in_collapsed_group_mean_ms=%.3f\n",
      options.objects, static_cast<int>(members.size()), Mean(finds), Mean(selects));
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
