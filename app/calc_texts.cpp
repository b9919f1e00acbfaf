#include "app/calc_texts.h"

#include "app/calc_schedule.h"

#include <QCoreApplication>

namespace kestrix {
namespace {

// lupdate reads the context of every text as a literal: "KestrixCalc".
constexpr const char* kContext = "KestrixCalc";

std::string Translated(const char* source) {
    return QCoreApplication::translate(kContext, source).toStdString();
}

// A translated text with %1, %2 ... replaced by the details, byte for byte:
// a detail is never read for markers of its own, nor passed through UTF-16.
std::string Filled(const char* source, const std::vector<std::string>& details) {
    const std::string pattern = Translated(source);
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t index = static_cast<size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && index < details.size()) {
            text += details[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace

void SpeakLanguage(Language language) {
    if (language != CurrentLanguage() && QCoreApplication::instance()) UseLanguage(language);
}

CalcCaptions Captions() {
    // The same words as the window's page captions and style editor.
    return {
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Flow Rate[CMH]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Size[mm]")),
        QCoreApplication::translate("KestrixCalc", "Velocity[m/s]", "candidate").toStdString(),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Aspect Ratio")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Standard Flow[CMH]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Equivalent Dia.[mm]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Velocity E.Dia.[m/s]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Free Area[%]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Necessary Area[m²]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Effective Area[m²]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Surface Velocity[m/s]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Style")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Materials")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Duct styles (--style N)")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Air-terminal styles (--style N)")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Messages")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Row")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Name")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Roughness[mm]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Material")),
        QCoreApplication::translate("KestrixCalc", "Velocity[m/s]", "style").toStdString(),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Friction loss")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Units")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Aspect ratio")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Free area[%]")),
        Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Face velocity[m/s]")),
    };
}

std::string LossCaption(bool pa) {
    return pa ? Translated(QT_TRANSLATE_NOOP("KestrixCalc", "DeltaPr.[Pa/m]"))
              : Translated(QT_TRANSLATE_NOOP("KestrixCalc", "DeltaPr.[mmAq/m]"));
}

std::string DynamicPressureCaption(bool pa) {
    return pa ? Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Dynamic Pr.[Pa]"))
              : Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Dynamic Pr.[kgf/m²]"));
}

std::string DiameterMark() {
    return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Φ"));
}

ScheduleWords ScheduleHeadingWords() {
    return {Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Tag")),
            Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Error")),
            Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Round ")),
            Translated(QT_TRANSLATE_NOOP("KestrixCalc", "Rect. "))};
}

std::string RowProblemText(RowProblem problem, const std::string& detail) {
    const std::string limit = std::to_string(kMaxScheduleLineBytes);
    const std::string skipped = std::to_string(kMaxSkippedLineBytes);
    switch (problem) {
    case RowProblem::FieldCount:
        return Filled(
            QT_TRANSLATE_NOOP("KestrixCalc", "expected 2 fields (tag and flow) but found %1"),
            {detail});
    case RowProblem::UnclosedQuote:
        return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "a quoted field is not closed"));
    case RowProblem::TextAfterQuote:
        return Translated(
            QT_TRANSLATE_NOOP("KestrixCalc", "text after the closing quote of a field"));
    case RowProblem::TooLong:
        return Filled(QT_TRANSLATE_NOOP("KestrixCalc", "line longer than %1 bytes"), {limit});
    case RowProblem::Endless:
        return Filled(QT_TRANSLATE_NOOP("KestrixCalc",
                                        "line longer than %1 bytes, with no line end in "
                                        "the next %2 bytes: the rest of the input is "
                                        "not read"),
                      {limit, skipped});
    case RowProblem::EmptyTag:
        return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "empty tag"));
    case RowProblem::EmptyFlow:
        return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "empty flow"));
    case RowProblem::NotPositive:
        return Filled(QT_TRANSLATE_NOOP("KestrixCalc", "flow '%1' is not a positive number"),
                      {detail});
    case RowProblem::NoCandidate:
        return Translated(
            QT_TRANSLATE_NOOP("KestrixCalc", "no size meets the criteria at this flow"));
    case RowProblem::Overflow:
        return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "floating-point overflow"));
    case RowProblem::InvalidOperation:
        return Translated(QT_TRANSLATE_NOOP("KestrixCalc", "invalid floating-point operation"));
    }
    return {};
}

} // namespace kestrix
