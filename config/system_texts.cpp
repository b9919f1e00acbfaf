#include "config/system_texts.h"

#include "config/engine_texts.h"

#include <QCoreApplication>

namespace kestrix {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("SystemTexts", text);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The sentence of a problem without its section.
QString ProblemSentence(const SystemProblem& p) {
    using K = SystemProblemKind;
    const QString d = Q(p.detail);
    // One pass of arg() only: a detail may itself hold "%1".
    switch (p.kind) {
    case K::NoSections:
        return QCoreApplication::translate("SystemTexts", "the system has no sections");
    case K::TooManySections:
        return QCoreApplication::translate("SystemTexts",
                                           "the system has %1 sections; at most 100000 are taken")
            .arg(d);
    case K::EmptyId:
        return QCoreApplication::translate("SystemTexts", "section number %1 has no id").arg(d);
    case K::DuplicateId:
        return QCoreApplication::translate("SystemTexts",
                                           "this id is given to more than one section");
    case K::UnknownUpstream:
        return QCoreApplication::translate("SystemTexts",
                                           "its upstream section \"%1\" does not exist")
            .arg(d);
    case K::UpstreamOfItself:
        return QCoreApplication::translate("SystemTexts",
                                           "it is given as its own upstream section");
    case K::TwoFanSections:
        return QCoreApplication::translate(
                   "SystemTexts", "a second section at the fan (no upstream), besides \"%1\"")
            .arg(d);
    case K::NoFanSection:
        return QCoreApplication::translate("SystemTexts",
                                           "no section is at the fan (upstream null)");
    case K::Cycle:
        return QCoreApplication::translate(
                   "SystemTexts",
                   "its upstream sections run in a circle (%1) and never reach the fan")
            .arg(d);
    case K::BadLength:
        return QCoreApplication::translate("SystemTexts",
                                           "length %1 m is out of range (0 to 10000 m)")
            .arg(d);
    case K::BadFlow:
        return QCoreApplication::translate(
                   "SystemTexts", "flow %1 is out of range (above 0, at most 10000000 CMH)")
            .arg(d);
    case K::TerminalWithoutFlow:
        return QCoreApplication::translate("SystemTexts", "it is a terminal and gives no flow");
    case K::FlowsDisagree: {
        // The detail is "given|sum".
        const auto bar = p.detail.find('|');
        const QString given = Q(p.detail.substr(0, bar));
        const QString sum = bar == std::string::npos ? QString() : Q(p.detail.substr(bar + 1));
        return QCoreApplication::translate("SystemTexts",
                                           "its flow %1 differs from the sum of its downstream "
                                           "sections, %2, by more than 0.5 %")
            .arg(given, sum);
    }
    case K::BadSize:
        return QCoreApplication::translate(
                   "SystemTexts", "size \"%1\" is not a size in range (such as 400x300 or 350)")
            .arg(d);
    case K::ShapeContradicts:
        return QCoreApplication::translate("SystemTexts", "size \"%1\" contradicts its shape")
            .arg(d);
    case K::BadMaxHeight:
        return QCoreApplication::translate("SystemTexts", "max_height %1 mm is out of range")
            .arg(d);
    case K::NoSizeUnderMaxHeight:
        return QCoreApplication::translate("SystemTexts",
                                           "no candidate size is %1 mm high or lower")
            .arg(d);
    case K::BadFitting:
        return QCoreApplication::translate("SystemTexts", "loss coefficient %1 is out of range")
            .arg(d);
    case K::BadFixedLoss:
        return QCoreApplication::translate("SystemTexts",
                                           "fixed_loss %1 is out of range (0 or more)")
            .arg(d);
    case K::BadTemperature:
        return QCoreApplication::translate(
                   "SystemTexts", "air temperature %1 °C is out of range (-100 to 1000 °C)")
            .arg(d);
    case K::BadElevation:
        return QCoreApplication::translate("SystemTexts",
                                           "elevation %1 m is out of range (-1000 to 11000 m)")
            .arg(d);
    case K::BadPressure:
        if (p.detail == "both")
            return QCoreApplication::translate(
                "SystemTexts", "air gives both elevation and pressure; give one of them");
        return QCoreApplication::translate("SystemTexts",
                                           "air pressure %1 kPa is out of range (10 to 1000 kPa)")
            .arg(d);
    case K::BadLimits:
        return QCoreApplication::translate("SystemTexts",
                                           "the velocity, loss and aspect limits must be above 0");
    case K::BadRoughness:
        return QCoreApplication::translate("SystemTexts",
                                           "roughness %1 mm is out of range (above 0)")
            .arg(d);
    case K::NoSize:
        if (p.sizing == SizingMessage::None)
            return QCoreApplication::translate("SystemTexts",
                                               "no size fits (the flow is too small to size)");
        return Q(SizingMessageText(p.sizing));
    }
    return {};
}

// A value's kind as the reader's details name it.
std::string KindWord(json_in::Value::Kind kind) {
    using Kind = json_in::Value::Kind;
    switch (kind) {
    case Kind::Null:
        return "null";
    case Kind::Bool:
        return "true or false";
    case Kind::Number:
        return "a number";
    case Kind::String:
        return "a text";
    case Kind::Array:
        return "an array";
    case Kind::Object:
        return "an object";
    }
    return "a value";
}

std::string JsonDetail(json_in::JsonProblem problem, const std::string& v) {
    using P = json_in::JsonProblem;
    switch (problem) {
    case P::None:
        return {};
    case P::Empty:
        return "the file is empty";
    case P::TextAfterValue:
        return "unexpected text after the end of the JSON value";
    case P::TooManyValues:
        return "the file holds too many values";
    case P::NestedTooDeep:
        return "arrays and objects are nested more than " + v + " deep";
    case P::ValueExpected:
        return "a JSON value was expected here";
    case P::EndsWhereColonExpected:
        return "the file ends where ':' was expected";
    case P::ColonExpected:
        return "':' was expected here";
    case P::EndsInsideObject:
        return "the file ends inside an object";
    case P::MemberNameExpected:
        return "a member name in double quotes was expected here";
    case P::MemberTwice:
        return "the member \"" + v + "\" is given twice";
    case P::EndsWhereValueExpected:
        return "the file ends where a value was expected";
    case P::CommaOrBraceExpected:
        return "',' or '}' was expected here";
    case P::EndsInsideArray:
        return "the file ends inside an array";
    case P::CommaOrBracketExpected:
        return "',' or ']' was expected here";
    case P::EscapeNeedsFourDigits:
        return "\\u needs four hexadecimal digits";
    case P::EndsInsideText:
        return "the file ends inside a text in double quotes";
    case P::ControlCharacterInText:
        return "a text in double quotes cannot hold a line break or control character";
    case P::LoneSurrogate:
        return "a lone surrogate in \\u escape";
    case P::UnknownEscape:
        return "unknown escape \\" + v;
    case P::NotUtf8:
        return "the text is not valid UTF-8";
    case P::NumberExpected:
        return "a number was expected here";
    case P::NoDigitsAfterPoint:
        return "a number needs digits after its point";
    case P::NoDigitsInExponent:
        return "a number needs digits in its exponent";
    case P::NumberOutOfRange:
        return "the number is out of range";
    case P::TooLargeToRead:
        return "the file is too large to read";
    }
    return {};
}

std::string FormDetail(const SystemFileError& e) {
    using P = SystemFormProblem;
    auto v = [&e](std::size_t i) { return i < e.values.size() ? e.values[i] : std::string(); };
    const std::string found = KindWord(e.found);
    switch (e.form) {
    case P::None:
        return {};
    case P::FileTooLarge:
        return "the file is larger than 50 MB";
    case P::NotAnObject:
        return "a system file holds one JSON object, not " + found;
    case P::BadUnits:
        return "\"units\" is \"Pa\" or \"mmAq\", not \"" + v(0) + "\"";
    case P::BadFrictionLaw:
        return "\"friction_law\" is \"power\" or \"colebrook\", not \"" + v(0) + "\"";
    case P::UnknownSetting:
        return "unknown setting \"" + v(0) + "\"";
    case P::NoSections:
        return "the system has no \"sections\"";
    case P::SectionsNotArray:
        return "\"sections\" must be an array";
    case P::TooManySections:
        return "the system has " + v(0) + " sections; at most " + v(1) + " are taken";
    case P::NotText:
        return "\"" + v(0) + "\" must be a text, not " + found;
    case P::NotNumber:
        return "\"" + v(0) + "\" must be a number, not " + found;
    case P::NotWholeNumber:
        return "\"" + v(0) + "\" must be a whole number, not " + v(1);
    case P::MaterialNotRowOrName:
        return "\"material (a row number or a name)\" must be a text, not " + found;
    case P::BadShape:
        return "\"shape\" is \"round\" or \"rectangular\", not \"" + v(0) + "\"";
    case P::LimitsNotObject:
        return "\"limits\" must be an object";
    case P::UnknownLimit:
        return "unknown limit \"" + v(0) + "\" (velocity, loss, aspect)";
    case P::LimitsIncomplete:
        return "\"limits\" needs \"velocity\" and \"loss\"";
    case P::AirNotObject:
        return "\"air\" must be an object";
    case P::UnknownAirProperty:
        return "unknown air property \"" + v(0) + "\" (temperature, elevation, pressure)";
    case P::AirElevationAndPressure:
        return "\"air\" gives both elevation and pressure; give one";
    case P::SectionNotObject:
        return "each section must be an object, not " + found;
    case P::SectionWithoutId:
        return "a section has no \"id\"";
    case P::EmptySize:
        return "\"size\" is empty";
    case P::UnknownMember:
        return "unknown member \"" + v(0) + "\"";
    case P::NoLength:
        return "no \"length\"";
    case P::FittingsNotArray:
        return "\"fittings\" must be an array";
    case P::FittingWithoutCoefficient:
        return "a fitting needs its loss coefficient \"c\"";
    case P::UnknownFittingMember:
        return "unknown member \"" + v(0) + "\" of a fitting (name, c)";
    case P::BadFitting:
        return "a fitting is a number or {\"name\": ..., \"c\": ...}";
    }
    return {};
}

// The detail alone, in English in both languages: the words of the file's
// format (member names, kinds of values) as the reader found them.
std::string SystemFileErrorDetail(const SystemFileError& error) {
    if (error.json != json_in::JsonProblem::None)
        return JsonDetail(error.json, error.values.empty() ? std::string() : error.values[0]);
    const std::string detail = FormDetail(error);
    return error.section.empty() ? detail : "section \"" + error.section + "\": " + detail;
}

} // namespace

std::string SystemProblemText(const SystemProblem& problem) {
    const QString text = ProblemSentence(problem);
    if (problem.section.empty()) return text.toStdString();
    return (QCoreApplication::translate("SystemTexts", "section \"%1\": ").arg(Q(problem.section)) +
            text)
        .toStdString();
}

std::string SystemFileErrorText(const SystemFileResult& result) {
    const QString detail = Q(SystemFileErrorDetail(result.error));
    if (result.line == 0)
        return QCoreApplication::translate("SystemTexts", "%1",
                                           "a whole-file error: the detail alone")
            .arg(detail)
            .toStdString();
    return QCoreApplication::translate("SystemTexts", "line %1, column %2: %3")
        .arg(QString::number(result.line), QString::number(result.column), detail)
        .toStdString();
}

SystemReportWords ReportWords() {
    auto words = [](std::initializer_list<const char*> sources) {
        std::vector<std::string> out;
        for (const char* source : sources)
            out.push_back(Tr(source).toStdString());
        return out;
    };
    SystemReportWords w;
    w.diameterMark =
        QCoreApplication::translate("SystemTexts", "Φ", "the diameter mark of a round size")
            .toStdString();
    w.sectionColumns = words(
        {QT_TRANSLATE_NOOP("SystemTexts", "Section"), QT_TRANSLATE_NOOP("SystemTexts", "Upstream"),
         QT_TRANSLATE_NOOP("SystemTexts", "Flow"), QT_TRANSLATE_NOOP("SystemTexts", "Size"),
         QT_TRANSLATE_NOOP("SystemTexts", "Velocity"),
         QT_TRANSLATE_NOOP("SystemTexts", "Velocity Pr."), QT_TRANSLATE_NOOP("SystemTexts", "Loss"),
         QT_TRANSLATE_NOOP("SystemTexts", "Friction"), QT_TRANSLATE_NOOP("SystemTexts", "Fittings"),
         QT_TRANSLATE_NOOP("SystemTexts", "Fixed"), QT_TRANSLATE_NOOP("SystemTexts", "Total"),
         QT_TRANSLATE_NOOP("SystemTexts", "Over limits")});
    w.pathColumns = words(
        {QT_TRANSLATE_NOOP("SystemTexts", "Terminal"), QT_TRANSLATE_NOOP("SystemTexts", "Path"),
         QT_TRANSLATE_NOOP("SystemTexts", "Pressure"), QT_TRANSLATE_NOOP("SystemTexts", "Surplus"),
         QT_TRANSLATE_NOOP("SystemTexts", "Critical")});
    w.fanPressure = Tr(QT_TRANSLATE_NOOP("SystemTexts", "Fan pressure")).toStdString();
    w.overLimits = Tr(QT_TRANSLATE_NOOP("SystemTexts", "over")).toStdString();
    w.criticalPath = Tr(QT_TRANSLATE_NOOP("SystemTexts", "critical")).toStdString();
    return w;
}

std::string SystemReport(const DuctSystem& system, const SystemResult& result,
                         SystemReportFormat format) {
    return SystemReport(system, result, format, ReportWords());
}

} // namespace kestrix
