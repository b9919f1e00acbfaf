#pragma once

// The evaluator's messages kept in order instead of shown at once: the
// console tool prints them after the result, beside it in JSON, or with the
// line of a schedule row.

#include "engine/expression_evaluator.h"

#include <string>
#include <vector>

namespace kestrix {

class CollectedMessages : public EvaluatorMessages {
  public:
    void LibraryError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

} // namespace kestrix
