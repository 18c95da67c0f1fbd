// The host driven from a text file instead of a person: one host action or plug-in click per line, the
// window's messages pumped between lines, the panel's tree printed on request.
//
//   leftclick | rightclick | deactivate    the plug-in's exports, as the host calls them
//   button                                  a click on the plug-in's button (toggles the plug-in)
//   select "Name" | mark "Name" | deselect  the host's selection (mark adds to it)
//   pick "Name"                             a click on the object in the host's scene list
//   click "Label"                           a click on the item in the panel's tree
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
#pragma once

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
  // Empty when the line ran, else what is wrong with it.
  std::string Step(const std::vector<std::string>& words);
  std::string Scene(const std::vector<std::string>& words);
  std::string Panel(const std::vector<std::string>& words);
  HWND PanelTree() const;

  HWND PanelWindow() const;

  HostWindow& FHost;
};

// Splits a line into words; a double-quoted word may hold blanks. False for an unterminated quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words);
