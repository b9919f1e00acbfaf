#pragma once

namespace kestrix {

// Messages that the sizing engines hand to their callers; the window shows
// them as modal boxes with one OK button, the command line prints them. The
// engine holds no texts: config/engine_texts.h words them in the interface
// language.
enum class SizingMessage {
    None,
    DuctLimits,     // friction-loss or velocity limit unusable
    FlowTooBig,     // above MaxFlowCmh
    DuctRoughness,  // the material's roughness is missing, zero or negative
    TerminalLimits, // free-area ratio or face velocity unusable
};

} // namespace kestrix
