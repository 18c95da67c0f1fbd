#include "MsgDlgTypes.h"

namespace {
// Left-to-right order of the box's buttons; the accelerators are the ones users of the box know.
constexpr TMsgDlgButtonKind kButtonKinds[] = {
    {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel},
    {mbAbort, "Abort", mrAbort},
    {mbRetry, "&Retry", mrRetry},
    {mbYes, "&Yes", mrYes},
    {mbNo, "&No", mrNo},
    {mbIgnore, "&Ignore", mrIgnore},
    {mbAll, "&All", mrAll},
    {mbHelp, "&Help", mrHelp},
};
}  // namespace

std::vector<TMsgDlgButtonKind> ButtonsInOrder(TMsgDlgButtons buttons) {
  std::vector<TMsgDlgButtonKind> shown;
  for (const TMsgDlgButtonKind& kind : kButtonKinds)
    if (buttons.Contains(kind.kind)) shown.push_back(kind);
  return shown;
}
