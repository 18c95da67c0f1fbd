// From a host notification to the component's event: codes, records and values as the host gives them.
#include <stdexcept>

#include "EventsFixture.h"

namespace {

class Dispatch : public EventsTest {
 protected:
  template <class Record>
  std::function<void(const Record&)> Records(std::string name) {
    return [this, name](const Record& record) { raised.push_back(name + ":" + std::to_string(record.code)); };
  }
  TPlugEvent Named(std::string name) {
    return [this, name] { raised.push_back(name); };
  }
};

TEST_F(Dispatch, RenderCodesZeroToSixRaiseTheirEventsAndSevenNothing) {
  events->OnRenderInit = Records<tsxEventRenderData>("Init");
  events->OnRenderBegin = Records<tsxEventRenderData>("Begin");
  events->OnRenderEnd = Records<tsxEventRenderData>("End");
  events->OnRenderFrameStart = Records<tsxEventRenderData>("FrameStart");
  events->OnRenderFrameEnd = Records<tsxEventRenderData>("FrameEnd");
  events->OnRenderAbort = Records<tsxEventRenderData>("Abort");
  events->OnRenderError = Records<tsxEventRenderData>("Error");
  Activate({peRender});
  for (int code = -1; code <= 7; ++code) simFireEvent(e_tsxEVENT_RENDER, code);
  EXPECT_EQ(raised,
            (Texts{"Init:0", "Begin:1", "End:2", "FrameStart:3", "FrameEnd:4", "Abort:5", "Error:6"}));
}

TEST_F(Dispatch, MouseCodesOneToThreeRaiseTheirEventsAndZeroNothing) {
  events->OnMouseMessage = Records<tsxEventMouseData>("Message");
  events->OnMouseEvent = Records<tsxEventMouseData>("Event");
  events->OnMouseDrag = Records<tsxEventMouseData>("Drag");
  Activate({peMouse});
  for (int code = 0; code <= 4; ++code) simFireEvent(e_tsxEVENT_MOUSE, code);
  EXPECT_EQ(raised, (Texts{"Message:1", "Event:2", "Drag:3"}));
}

TEST_F(Dispatch, GeneralCodesRaiseAppAndSceneEvents) {
  events->OnAppStart = Named("AppStart");
  events->OnAppClose = Named("AppClose");
  events->OnSceneNew = Named("SceneNew");
  events->OnSceneLoad = Named("SceneLoad");
  events->OnSceneClose = Named("SceneClose");
  Activate({peGeneral});
  for (int code : {2, 3, 0, 1, 4, 5}) simFireEvent(e_tsxEVENT_GENERAL, code);
  EXPECT_EQ(raised, (Texts{"SceneClose", "SceneNew", "AppStart", "AppClose", "SceneLoad"}));
}

TEST_F(Dispatch, ViewMessagesPassTheHostsRecord) {
  UINT message = 0;
  events->OnViewEvent = [&](const tsxEventViewMsgData& record) { message = record.message; };
  Activate({peViewMsg});
  simFireEvent(e_tsxEVENT_VIEWMSG, WM_SIZE);
  EXPECT_EQ(message, static_cast<UINT>(WM_SIZE));
}

TEST_F(Dispatch, GenericHandlersAreReadAtEachEventTheOthersAtActivation) {
  events->OnSelectionChanged = Named("first");
  Activate({peSelect, peGeneral});
  events->OnSelectionChanged = Named("second");
  events->OnSceneNew = Named("SceneNew");
  simFireSelectionChanged();
  simFireEvent(e_tsxEVENT_GENERAL, 3);
  EXPECT_EQ(raised, (Texts{"first", "SceneNew"}));

  events->SetActive(false);
  events->SetActive(true);
  simFireSelectionChanged();
  EXPECT_EQ(raised.back(), "second");
}

TEST_F(Dispatch, ActiveTimeIsAskedOfTheHostOnlyWhenSomeoneListens) {
  Activate({peActiveTime});
  simFireActiveTimeChanged(1.0f);
  EXPECT_EQ(simLogCountOf("tsxAnimGetActiveTime"), 0);

  float time = 0;
  events->OnActiveTimeChanged = [&](float t) { time = t; };
  events->SetActive(false);
  events->SetActive(true);
  simFireActiveTimeChanged(2.5f);
  EXPECT_EQ(time, 2.5f);
  EXPECT_EQ(simLogCountOf("tsxAnimGetActiveTime"), 1);
}

TEST_F(Dispatch, DestroyedObjectsArriveByHandleChildrenFirst) {
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  SobjHandle member = simCreateObject(group, "Member", e_tsxPOLYH);
  std::vector<SobjHandle> destroyed;
  events->OnObjectDestroy = [&](SobjHandle object) { destroyed.push_back(object); };
  Activate({peDestroyObject});
  simUserDelete(group);
  EXPECT_EQ(destroyed, (std::vector<SobjHandle>{member, group}));
}

TEST_F(Dispatch, ObjectMovePassesTransformAndValue) {
  float corner = 0;
  short value = 0;
  events->OnObjectMove = [&](const CtsxTxmx3f& transform, short v) {
    corner = transform.matrix[2][2];
    value = v;
  };
  Activate({peObjectMove});
  simFireObjectMove(-3);
  EXPECT_EQ(corner, 1.0f);
  EXPECT_EQ(value, -3);
}

TEST_F(Dispatch, AFailingHandlerEndsInTheApplicationNotTheHost) {
  events->OnSceneNew = [] { throw std::runtime_error("scene handler failed"); };
  events->OnSelectionChanged = [] { throw std::runtime_error("selection handler failed"); };
  Activate({peGeneral, peSelect});
  EXPECT_NO_THROW(simFireEvent(e_tsxEVENT_GENERAL, 3));
  EXPECT_NO_THROW(simFireSelectionChanged());
  EXPECT_EQ(failures, (Texts{"scene handler failed", "selection handler failed"}));
}

}  // namespace
