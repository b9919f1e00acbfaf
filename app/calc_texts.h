#pragma once

// The texts of kestrix-calc's own output: the headings of its tables and the
// reasons of a schedule's bad rows. They are written in English and answered
// from the translation catalogue in the language that UseLanguage set, as
// UTF-8.

#include "config/language.h"

#include <string>
#include <vector>

namespace kestrix {

// Puts the catalogue of the language in force when it is not already.
// Without an application object Qt installs no catalogue (and warns): the
// texts then stay English, as in the fuzz targets and benchmarks that run
// the tool in-process.
void SpeakLanguage(Language language);

// Headings of the output: the window's captions without their colons.
struct CalcCaptions {
    std::string flow;
    std::string size;
    std::string velocity;
    std::string aspect;
    std::string standardFlow;
    std::string equivalentDiameter;
    std::string velocityAtDiameter;
    std::string freeArea;
    std::string necessaryArea;
    std::string effectiveArea;
    std::string surfaceVelocity;
    std::string style;
    std::string materials;
    std::string ductStyles;
    std::string terminalStyles;
    std::string messages;
    // The columns of the style tables: the style editor's names of the fields.
    std::string row;
    std::string name;
    std::string roughness;
    std::string material;
    std::string styleVelocity;
    std::string frictionLoss;
    std::string units;
    std::string aspectRatio;
    std::string styleFreeArea;
    std::string faceVelocity;
};
CalcCaptions Captions();

// The friction-loss and dynamic-pressure headings, with the unit of the style.
std::string LossCaption(bool pa);
std::string DynamicPressureCaption(bool pa);

// The mark after a round size: "Φ" in English, "φ" in Japanese.
std::string DiameterMark();

// The words of a schedule's headings and error column.
struct ScheduleWords {
    std::string tag;
    std::string error;
    std::string round;       // before the headings of the round candidate
    std::string rectangular; // before those of the rectangular one
};
ScheduleWords ScheduleHeadingWords();

// Why a schedule row could not be sized, besides the engine's own messages.
enum class RowProblem {
    FieldCount, // detail: the number of fields found
    UnclosedQuote,
    TextAfterQuote,
    TooLong,
    Endless,
    EmptyTag,
    EmptyFlow,
    NotPositive, // detail: the flow
    NoCandidate,
    // The evaluator's two floating-point errors, in English worded by the
    // tool (the evaluator gives them in Japanese in both languages).
    Overflow,
    InvalidOperation,
};
std::string RowProblemText(RowProblem problem, const std::string& detail = {});

} // namespace kestrix
