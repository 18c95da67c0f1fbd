// Kinds of message box and of its buttons, and the set of buttons a box shows.
#pragma once

#include <vector>

#include "EnumSet.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};

using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;

// Results a box returns; the values are the platform's dialog results, so callers may compare with IDYES.
enum TMsgDlgResult {
  mrHelp = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
};

struct TMsgDlgButtonKind {
  TMsgDlgBtn kind;
  const char* caption;
  int result;
};

// The buttons of a set, left to right as the box shows them. "No to all" and "Yes to all" have no button.
std::vector<TMsgDlgButtonKind> ButtonsInOrder(TMsgDlgButtons buttons);
