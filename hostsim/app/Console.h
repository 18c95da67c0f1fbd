// Text for whoever started the host: stdout for what a script asks to print, stderr for messages. A GUI
// program has these handles only when its parent gave them (a shell under Wine, a test's pipes).
#pragma once

#include <string>

void WriteOut(const std::string& text);
void WriteErr(const std::string& text);
