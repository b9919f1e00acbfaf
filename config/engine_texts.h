#pragma once

// The texts of the engine's message codes, as UTF-8, in the language that
// UseLanguage (config/language.h) installed. The engine itself holds no
// texts: it hands over codes and values, and these functions word them.

#include "engine/expression_evaluator.h"
#include "engine/messages.h"

#include <string>

namespace kestrix {

// The sizing engines' message; empty for None.
std::string SizingMessageText(SizingMessage message);

// Caption of the program's own error boxes: "Kestrix Error".
std::string ErrorCaption();

// An evaluation error. The two floating-point errors read the same in both
// languages.
std::string EvaluationErrorText(EvaluationErrorKind kind);

} // namespace kestrix
