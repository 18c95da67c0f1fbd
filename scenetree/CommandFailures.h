// What each of the panel's handlers does with a failure: a host call that failed (its structured exception
// became an EStructuredException at the call, HostCall.h), or a fault of our own inside the handler.
//
// Reported: Refresh and Ungroup. The failure reaches the application's default error handling, and the
// user sees an error box. Refresh is asked for by the user to see the host's state, and an Ungroup that
// failed halfway leaves the scene other than the user meant.
// Swallowed: every other handler. The failure ends at the handler; the panel shows what it can (each
// handler says what), and the next rebuild shows the host's state. Most of these run inside a host
// callback or a control's notification, where an error box would stop the host or the control in the
// middle of its work.
#pragma once

enum class TPanelCommand {
  Refresh,
  Ungroup,
  LeftClick,
  DeferredRebuild,
  FollowHostSelection,
  SelectFromTree,
  ItemMenu,
  Rename,
  ToggleVisibility,
  Delete,
  DeleteAnimation,
  Regroup,
};

constexpr bool ReportsFailures(TPanelCommand command) {
  return command == TPanelCommand::Refresh || command == TPanelCommand::Ungroup;
}

// Runs a handler's body under its command's rule.
template <class Body>
void RunCommand(TPanelCommand command, Body&& body) {
  if (ReportsFailures(command)) {
    body();
    return;
  }
  try {
    body();
  } catch (...) {
    // Swallowed, as the rule above says.
  }
}
