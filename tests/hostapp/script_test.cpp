// The host run headless on scripts: what the panel shows after host actions and plug-in clicks, read back
// from the panel's tree control by the host's print, and how the host answers bad scripts and plug-ins.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "HostProcess.h"

namespace {

const char kDemoTree[] =
    "Scene g9 expanded\n"
    "  Arm Rig g8 expanded\n"
    "    Shoulder g10 expanded\n"
    "      Arm Skeleton g3\n"
    "  Bend Lattice g16\n"
    "  Camera 1 g5\n"
    "  Camera Path g15\n"
    "  Clay Head g4\n"
    "  Fill Light g6 hidden\n"
    "  Grid Helper g1\n"
    "  Handrail Spline g11\n"
    "  Key Light g6\n"
    "  Pipe Sweep g11\n"
    "  Room g0 expanded\n"
    "    Floor g1\n"
    "    Furniture g0 expanded\n"
    "      Chair Group g0 expanded\n"
    "        Chair 1 g1\n"
    "        Chair 2 g1 hidden\n"
    "      Lamp g0 expanded\n"
    "        Lamp Shade g7\n"
    "      Table g1 expanded\n"
    "        Material #10 g2\n"
    "        Material #2 g2\n"
    "    Walls g1 expanded\n"
    "      Material #0 g2\n"
    "      Material #1 g2\n"
    "      Material #3 g2\n"
    "  Sound Marker g1\n"
    "  Teapot Patch g12\n"
    "  Vase g14\n"
    "  Vase Profile g13 hidden\n";

// A small scene of the script's own, shown in the panel with every branch open.
const char kSmallScene[] =
    "objects 0\n"
    "create \"Room\" group\n"
    "create \"Lamp\" light in \"Room\"\n"
    "create \"Floor\" polyhedron in \"Room\"\n"
    "create \"Camera\" camera\n"
    "leftclick\n"
    "expandall\n";

#define EXPECT_CLEAN_RUN(run)      \
  do {                             \
    EXPECT_FALSE((run).timedOut);  \
    EXPECT_EQ((run).exitCode, 0u); \
    EXPECT_EQ((run).err, "");      \
  } while (0)

TEST(HostScript, DemoSceneAppearsInThePanelOnTheFirstLeftClick) {
  HostRun run = RunScript("status\nleftclick\nstatus\nexpandall\nprint\n");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(run.out,
            std::string("plug-in inactive, panel hidden\nplug-in active, panel shown\n") + kDemoTree);
}

TEST(HostScript, HostSelectionReachesThePanelThroughItsCallback) {
  HostRun run = RunScript("leftclick\nlog\nselect \"Chair 1\"\nlog\nprint\n");
  EXPECT_CLEAN_RUN(run);
  size_t afterFirstLog = run.out.find("tsxGetCurrentSelection()\n");
  ASSERT_NE(afterFirstLog, std::string::npos) << run.out;
  // The selection reveals the object: its branches open, the others stay as they were.
  EXPECT_NE(run.out.find("  Room g0 expanded\n"
                         "    Floor g1\n"
                         "    Furniture g0 expanded\n"
                         "      Chair Group g0 expanded\n"
                         "        Chair 1 g1 selected\n"
                         "        Chair 2 g1 hidden\n"
                         "      Lamp g0\n"
                         "      Table g1\n"
                         "    Walls g1\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  Arm Rig g8\n"), std::string::npos) << run.out;
}

TEST(HostScript, ClicksCarryTheSelectionBetweenHostListAndPanel) {
  HostRun run = RunScript(std::string(kSmallScene) +
                          "pick \"Lamp\"\n"
                          "print\n"
                          "click \"Camera\"\n"
                          "printhost\n");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(
      run.out,
      "Scene g9 expanded\n  Camera g5\n  Room g0 expanded\n    Floor g1\n    Lamp g6 selected\n"
      "Room  (group) expanded\n  Lamp  (light)\n  Floor  (polyhedron)\nCamera  (camera) selected current\n");
}

TEST(HostScript, HostEditsShowAtTheNextRebuild) {
  HostRun run = RunScript(std::string(kSmallScene) +
                          "print\n"
                          "hide \"Lamp\"\n"
                          "rename \"Floor\" \"Ground\"\n"
                          "group \"Camera\" in \"Room\"\n"
                          "leftclick\n"
                          "print\n"
                          "delete \"Ground\"\n"
                          "ungroup \"Lamp\"\n"
                          "show \"Lamp\"\n"
                          "leftclick\n"
                          "print\n");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(run.out,
            "Scene g9 expanded\n  Camera g5\n  Room g0 expanded\n    Floor g1\n    Lamp g6\n"
            "Scene g9 expanded\n  Room g0 expanded\n    Camera g5\n    Ground g1\n    Lamp g6 hidden\n"
            "Scene g9 expanded\n  Lamp g6\n  Room g0 expanded\n    Camera g5\n");
}

TEST(HostScript, HostObjectListFollowsTheScene) {
  HostRun run = RunScript(std::string(kSmallScene) +
                          "printhost\n"
                          "select \"Lamp\"\n"
                          "mark \"Camera\"\n"
                          "hide \"Camera\"\n"
                          "printhost\n"
                          "deselect\n"
                          "printhost\n");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(run.out,
            "Room  (group)\n  Lamp  (light)\n  Floor  (polyhedron)\nCamera  (camera)\n"
            "Room  (group) expanded\n  Lamp  (light) selected current\n  Floor  (polyhedron)\n"
            "Camera  (camera, hidden) selected\n"
            "Room  (group) expanded\n  Lamp  (light)\n  Floor  (polyhedron)\nCamera  (camera, hidden)\n");
}

TEST(HostScript, PluginButtonTogglesThePanelAndRightClickChangesNothing) {
  HostRun run =
      RunScript("button\nstatus\nrightclick\nstatus\nbutton\nstatus\nleftclick\ndeactivate\nstatus\n");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(run.out,
            "plug-in active, panel shown\nplug-in active, panel shown\nplug-in inactive, panel hidden\n"
            "plug-in inactive, panel hidden\n");
}

TEST(HostScript, GeneratedSceneStartsCollapsed) {
  HostRun run = RunScript("leftclick\nprint\n", "--objects 250");
  EXPECT_CLEAN_RUN(run);
  EXPECT_EQ(run.out, "Scene g9 expanded\n  Group 1 g0\n  Group 2 g0\n  Group 3 g0\n");
}

TEST(HostScript, BadLinesStopTheScriptWithTheirLineNumber) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {"jump", "unknown command"},
      {"select \"Nobody\"", "no object named \"Nobody\""},
      {"create \"X\" teapot", "unknown object type \"teapot\""},
      {"select \"Camera 1", "unterminated quote"},
      {"group \"Room\" in \"Chair 1\"", "refused"},
      {"leftclick now", "wrong arguments"},
      {"objects many", "wrong arguments"},
      {"pick \"Nobody\"", "no object \"Nobody\" in the host's list"},
      {"menu \"Nobody\"", "no item \"Nobody\" in the panel"},
      {"choose \"Delete\"", "no menu is open"},
      {"answer \"Yes\"", "no box is open"},
  };
  for (const auto& bad : cases) {
    HostRun run = RunScript(std::string("status\n# a comment\n\n") + bad.line + "\nstatus\n");
    EXPECT_FALSE(run.timedOut) << bad.line;
    EXPECT_EQ(run.exitCode, 2u) << bad.line;
    EXPECT_EQ(run.out, "plug-in inactive, panel hidden\n") << bad.line;
    EXPECT_NE(run.err.find(".script:4: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(bad.reason), std::string::npos) << run.err;
  }
}

TEST(HostScript, MissingPluginIsReportedAndTheHostCarriesOn) {
  HostRun run =
      RunScript("leftclick\nstatus\nprint\nselect \"Key Light\"\nprinthost\n", "--plugin Nowhere.tsx");
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(run.err.find("\"Nowhere.tsx\" does not exist"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.rfind("plug-in not loaded, panel absent\n(no panel)\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("Key Light  (light) selected current\n"), std::string::npos) << run.out;
}

TEST(HostScript, LibraryWithoutThePluginExportsIsRefusedByName) {
  HostRun run = RunScript("leftclick\nstatus\n", "--plugin NotAPlugin.tsx");
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(
      run.err.find("\"NotAPlugin.tsx\" is not a plug-in: it does not export tsxGetData, tsxOnLeftClick, "
                   "tsxOnRightClick, tsxDeactivate"),
      std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "plug-in not loaded, panel absent\n");
}

TEST(HostScript, ScreenshotIsA24BitPictureOfTheWholeWindow) {
  const char kPath[] = "hostapp_screenshot_test.bmp";
  DeleteFileA(kPath);
  HostRun run = RunScript("leftclick\n", std::string("--screenshot ") + kPath);
  EXPECT_CLEAN_RUN(run);
  std::ifstream file(kPath, std::ios::binary);
  ASSERT_TRUE(file) << "no screenshot";
  BITMAPFILEHEADER head{};
  BITMAPINFOHEADER info{};
  file.read(reinterpret_cast<char*>(&head), sizeof head).read(reinterpret_cast<char*>(&info), sizeof info);
  EXPECT_EQ(head.bfType, 0x4D42);
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_GE(info.biWidth, 900);
  EXPECT_GE(info.biHeight, 640);
  // A blank or black capture has a handful of colours; the host with its panel has many.
  std::set<unsigned> colours;
  for (unsigned char pixel[3]; colours.size() < 50 && file.read(reinterpret_cast<char*>(pixel), 3);)
    colours.insert(pixel[0] | pixel[1] << 8 | pixel[2] << 16);
  EXPECT_GE(colours.size(), 50u);
  file.close();
  DeleteFileA(kPath);
}

// The demo scene's Table, through its context menu; each log shows whether the animation was deleted. The
// control holds the items of open branches only: the tree is opened first.
const char kDeleteTableAnimation[] =
    "expandall\n"
    "menu \"Table\"\n"
    "choose \"Delete Animation\"\n";

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(HostScript, ContextMenuEntryAsksFirstAndTheAnswerDecides) {
  HostRun run = RunScript(std::string("leftclick\n") + kDeleteTableAnimation +
                          "answer \"No\"\nlog\nstatus\n" + kDeleteTableAnimation + "answer \"Yes\"\nlog\n");
  EXPECT_CLEAN_RUN(run);
  size_t between = run.out.find("plug-in active, panel shown\n");
  ASSERT_NE(between, std::string::npos) << run.out;
  EXPECT_EQ(Count(run.out.substr(0, between), "tsxGNodeDeleteScript("), 0u) << run.out;
  EXPECT_EQ(Count(run.out.substr(between), "tsxGNodeDeleteScript("), 1u) << run.out;
}

TEST(HostScript, DontShowAgainAnswersTheQuestionFromThenOn) {
  HostRun run =
      RunScript(std::string("leftclick\n") + kDeleteTableAnimation +
                "answer \"Don't show again\"\nanswer \"Yes\"\n" + kDeleteTableAnimation + "status\nlog\n");
  EXPECT_CLEAN_RUN(run);
  // A box left open at the end would be closed from its title bar, which deletes nothing.
  EXPECT_EQ(Count(run.out, "tsxGNodeDeleteScript("), 2u) << run.out;
}

TEST(HostScript, ScriptThatFailsWithTheMenuOpenEndsInsteadOfHanging) {
  HostRun run = RunScript(std::string("leftclick\nexpandall\nmenu \"Table\"\nchoose \"Paint\"\nstatus\n"));
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(".script:4: no entry \"Paint\" in the menu"), std::string::npos) << run.err;
}

}  // namespace
