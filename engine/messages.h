#pragma once

#include <string>

namespace kestrix {

// Messages that the sizing engines hand to their callers; the window shows
// them as modal boxes with one OK button, the command line prints them.
enum class SizingMessage {
    None,
    DuctLimits,     // friction-loss or velocity limit unusable
    FlowTooBig,     // above MaxFlowCmh
    DuctRoughness,  // the material's roughness is missing, zero or negative
    TerminalLimits, // free-area ratio or face velocity unusable
};

// The message text in the interface language (UTF-8); empty for None.
std::string SizingMessageText(SizingMessage message, bool japanese);

// Caption of the program's own error boxes: "Kestrix エラー" / "Kestrix Error".
std::string ErrorCaption(bool japanese);

} // namespace kestrix
