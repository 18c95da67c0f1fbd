// The scene panel: the plug-in's one window, showing the host's scene as a tree.
#pragma once

#include <string>
#include <unordered_set>

#include "Forms.h"
#include "ImgList.h"
#include "TreeView.h"
#include "TsxApi5.h"
#include "tsxPlug.h"

class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* owner);

  TTsx* Tsx1;
  TImageList* GlyphImageList;
  TImageList* ToolImageList;
  TImageList* StateImageList;
  TCustomTreeView* TreeView;

  // Host handlers.
  void Tsx1PlugInit();
  int Tsx1LeftClick();
  void Tsx1RightClick();
  void Tsx1Deactivate();

  // Tree building.
  void RebuildTree();
  TTreeNode* FindNodeBySobj(SobjHandle object);
  void AddSceneNodes(TTreeNode* parent, SobjHandle first);
  void AddMaterialNodes(TTreeNode* item, SobjHandle polyhedron);

  bool Refreshing() const { return FRefreshing; }

 private:
  void DefineForm();
  TTreeNode* AddObjectNode(TTreeNode* parent, SobjHandle object, int& type);

  bool FRefreshing = false;
  TTreeNode* FDragNode = nullptr;  // not owned: an item of TreeView, void after a rebuild
  // Objects met during the current walk: a host whose links form a cycle must not hang the panel.
  std::unordered_set<SobjHandle> FWalked;
};

extern TMainForm* MainForm;

// The glyph of an object item for the host's type code.
int TypeGlyph(int typeCode);
