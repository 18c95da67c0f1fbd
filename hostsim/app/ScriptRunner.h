// The host driven from a text file instead of a person: one host action or plug-in click per line, the
// window's messages pumped between lines, the panel's tree printed on request.
//
//   leftclick | rightclick | deactivate    the plug-in's exports, as the host calls them
//   button                                  a click on the plug-in's button (toggles the plug-in)
//   select "Name" | mark "Name" | deselect  the host's selection (mark adds to it)
//   pick "Name"                             a click on the object in the host's scene list
//   click "Label"                           a click on the item in the panel's tree
//   menu "Label"                            a right click on the item: its context menu opens
//   choose "Entry"                          the entry of the open menu, by its caption
//   answer "Button"                         a click on the button or check box of the open box, by caption
//   create "Name" TYPE [in "Parent"]        TYPE: polyhedron, group, camera, light, ... or a type code
//   delete "Name" | rename "Old" "New"
//   hide "Name" | show "Name"
//   group "Name" in "Parent" | ungroup "Name"
//   demo | objects N                        a new scene: the demo scene, or N generated objects
//   expandall                               expands every item of the panel's tree
//   print | printhost                       the panel's tree / the host's object list, to stdout
//   log                                     the plug-in's host calls since the previous log, to stdout
//   status                                  whether the plug-in is active and its panel shown
//   wait MS | screenshot FILE | # comment
//
// The lines run from a thread timer, which every loop of the thread dispatches, the loops of a pop-up menu
// and of a modal box included: a line after "menu" runs while the menu is open, one after "choose" while
// the box the entry asks with is open. A timer message is made only when nothing else waits, so a line
// that gave input (menu, choose, answer) ends its tick, and the next line sees what that input brought.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "HostWindow.h"

class ScriptRunner {
 public:
  explicit ScriptRunner(HostWindow& host) : FHost(host) {}
  // 0 when every line ran; otherwise 2, after a message naming the line.
  int Run(const std::string& path);
  // Dispatches every waiting message, paint included.
  static void Pump();

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  // Runs lines until one has to wait or gave input, or the script ends.
  void Advance();
  // False while the line before holds the script (and ends it when it waited too long).
  bool Ready();
  void Finish(int result);
  void Complain(size_t line, const std::string& error);
  // The script goes on once ready() holds; after timeoutMs without it, the line fails with what.
  void Await(std::function<bool()> ready, const std::string& what, DWORD timeoutMs);

  // Empty when the line ran, else what is wrong with it.
  std::string Step(const std::vector<std::string>& words);
  std::string Scene(const std::vector<std::string>& words);
  std::string Panel(const std::vector<std::string>& words);
  std::string Input(const std::vector<std::string>& words);
  HWND PanelTree() const;

  HWND PanelWindow() const;

  HostWindow& FHost;
  std::string FPath;
  std::vector<std::string> FLines;
  size_t FNext = 0;
  bool FBusy = false;
  bool FDone = false;
  int FResult = 0;
  std::function<bool()> FReady;  // set by a line that waits or gave input
  std::string FAwaited;
  DWORD FDeadline = 0;
};

// Splits a line into words; a double-quoted word may hold blanks. False for an unterminated quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words);
