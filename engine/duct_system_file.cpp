#include "engine/duct_system_file.h"

#include "engine/number_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace kestrix {
namespace {

using json_in::Value;
using Kind = json_in::Value::Kind;

// A problem in the file, at a value.
struct FormError {
    SystemFileError error;
    std::size_t offset;
};

class Reader {
  public:
    explicit Reader(SystemFile& file) : file_(file) {}

    void Read(const Value& root) {
        if (root.kind != Kind::Object)
            throw FormError{Form(SystemFormProblem::NotAnObject, {}, root.kind), root.offset};
        SystemSettings& s = file_.system.settings;
        SystemMaterialChoice& m = file_.choice;
        const Value* sections = nullptr;
        for (const Value& v : root.items) {
            const std::string& k = v.key;
            if (k == "name") {
                s.name = Text(v, k);
            } else if (k == "units") {
                const std::string u = Text(v, k);
                if (u != "Pa" && u != "mmAq") Fail(v, SystemFormProblem::BadUnits, {u});
                s.pressureInPa = u == "Pa";
                m.unitsGiven = true;
            } else if (k == "friction_law") {
                const std::string law = Text(v, k);
                if (law != "power" && law != "colebrook")
                    Fail(v, SystemFormProblem::BadFrictionLaw, {law});
                s.law = law == "power" ? FrictionLaw::Power : FrictionLaw::Colebrook;
            } else if (k == "material") {
                if (v.kind == Kind::Number)
                    m.materialRow = Whole(v, k);
                else
                    m.materialName = MaterialName(v);
            } else if (k == "roughness") {
                m.roughness = Num(v, k);
            } else if (k == "style") {
                m.style = Whole(v, k);
            } else if (k == "limits") {
                ReadLimits(v);
            } else if (k == "shape") {
                s.shape = Shape(v);
            } else if (k == "max_height") {
                s.maxHeight = Num(v, k);
            } else if (k == "air") {
                ReadAir(v);
            } else if (k == "sections") {
                sections = &v;
            } else {
                Fail(v, SystemFormProblem::UnknownSetting, {k});
            }
        }
        if (!sections) throw FormError{Form(SystemFormProblem::NoSections), root.offset};
        if (sections->kind != Kind::Array) Fail(*sections, SystemFormProblem::SectionsNotArray);
        if (sections->items.size() > kMaxSystemSections)
            Fail(*sections, SystemFormProblem::TooManySections,
                 {std::to_string(sections->items.size()), std::to_string(kMaxSystemSections)});
        file_.system.sections.reserve(sections->items.size());
        for (const Value& v : sections->items)
            ReadSection(v);
    }

  private:
    SystemFile& file_;
    std::string section_; // the id of the section being read, for messages

    SystemFileError Form(SystemFormProblem problem, std::vector<std::string> values = {},
                         Kind found = Kind::Null) const {
        SystemFileError e;
        e.form = problem;
        e.section = section_;
        e.values = std::move(values);
        e.found = found;
        return e;
    }

    [[noreturn]] void Fail(const Value& at, SystemFormProblem problem,
                           std::vector<std::string> values = {}, Kind found = Kind::Null) {
        throw FormError{Form(problem, std::move(values), found), at.offset};
    }

    std::string Text(const Value& v, const std::string& what) {
        if (v.kind != Kind::String) Fail(v, SystemFormProblem::NotText, {what}, v.kind);
        return v.text;
    }

    std::string MaterialName(const Value& v) {
        if (v.kind != Kind::String) Fail(v, SystemFormProblem::MaterialNotRowOrName, {}, v.kind);
        return v.text;
    }

    double Num(const Value& v, const std::string& what) {
        if (v.kind != Kind::Number) Fail(v, SystemFormProblem::NotNumber, {what}, v.kind);
        return v.number;
    }

    int Whole(const Value& v, const std::string& what) {
        const double x = Num(v, what);
        if (x != std::trunc(x) || std::fabs(x) > 1e9)
            Fail(v, SystemFormProblem::NotWholeNumber, {what, FormatGeneral(x)});
        return static_cast<int>(x);
    }

    // An id or upstream id: a text, or a whole number written as its digits.
    std::string Id(const Value& v, const std::string& what) {
        if (v.kind == Kind::Number) return FormatGeneral(v.number);
        return Text(v, what);
    }

    DuctShape Shape(const Value& v) {
        const std::string shape = Text(v, "shape");
        if (shape == "round") return DuctShape::Round;
        if (shape == "rectangular") return DuctShape::Rectangular;
        Fail(v, SystemFormProblem::BadShape, {shape});
    }

    void ReadLimits(const Value& v) {
        if (v.kind != Kind::Object) Fail(v, SystemFormProblem::LimitsNotObject);
        SystemMaterialChoice& m = file_.choice;
        for (const Value& item : v.items) {
            if (item.key == "velocity")
                m.velocity = Num(item, "velocity");
            else if (item.key == "loss")
                m.loss = Num(item, "loss");
            else if (item.key == "aspect")
                m.aspect = Num(item, "aspect");
            else
                Fail(item, SystemFormProblem::UnknownLimit, {item.key});
        }
        if (!m.velocity || !m.loss) Fail(v, SystemFormProblem::LimitsIncomplete);
    }

    void ReadAir(const Value& v) {
        if (v.kind != Kind::Object) Fail(v, SystemFormProblem::AirNotObject);
        AirState air;
        for (const Value& item : v.items) {
            if (item.key == "temperature")
                air.temperature = Num(item, "temperature");
            else if (item.key == "elevation")
                air.elevation = Num(item, "elevation");
            else if (item.key == "pressure")
                air.pressure = Num(item, "pressure");
            else
                Fail(item, SystemFormProblem::UnknownAirProperty, {item.key});
        }
        if (air.elevation && air.pressure) Fail(v, SystemFormProblem::AirElevationAndPressure);
        file_.system.settings.air = air;
    }

    void ReadSection(const Value& v) {
        section_.clear();
        if (v.kind != Kind::Object) Fail(v, SystemFormProblem::SectionNotObject, {}, v.kind);
        SystemSection s;
        const Value* id = v.Find("id");
        if (!id) Fail(v, SystemFormProblem::SectionWithoutId);
        s.id = Id(*id, "id");
        section_ = s.id;
        bool hasLength = false;
        for (const Value& item : v.items) {
            const std::string& k = item.key;
            if (k == "id") continue;
            if (k == "upstream") {
                if (!item.IsNull()) s.upstream = Id(item, k);
            } else if (k == "length") {
                s.length = Num(item, k);
                hasLength = true;
            } else if (k == "flow") {
                s.flow = Num(item, k);
            } else if (k == "size") {
                s.size = item.kind == Kind::Number ? FormatGeneral(item.number) : Text(item, k);
                if (s.size.empty()) Fail(item, SystemFormProblem::EmptySize);
            } else if (k == "shape") {
                s.shape = Shape(item);
            } else if (k == "max_height") {
                s.maxHeight = Num(item, k);
            } else if (k == "fittings") {
                ReadFittings(item, s);
            } else if (k == "fixed_loss") {
                s.fixedLoss = Num(item, k);
            } else {
                Fail(item, SystemFormProblem::UnknownMember, {k});
            }
        }
        if (!hasLength) Fail(v, SystemFormProblem::NoLength);
        file_.system.sections.push_back(std::move(s));
    }

    void ReadFittings(const Value& v, SystemSection& s) {
        if (v.kind != Kind::Array) Fail(v, SystemFormProblem::FittingsNotArray);
        s.fittings.reserve(v.items.size());
        for (const Value& item : v.items) {
            Fitting f;
            if (item.kind == Kind::Number) {
                f.c = item.number;
            } else if (item.kind == Kind::Object) {
                const Value* c = item.Find("c");
                if (!c) Fail(item, SystemFormProblem::FittingWithoutCoefficient);
                f.c = Num(*c, "c");
                for (const Value& member : item.items) {
                    if (member.key == "name")
                        f.name = Text(member, "name");
                    else if (member.key != "c")
                        Fail(member, SystemFormProblem::UnknownFittingMember, {member.key});
                }
            } else {
                Fail(item, SystemFormProblem::BadFitting);
            }
            s.fittings.push_back(std::move(f));
        }
    }
};

// Sets the error of a result at a place of the text.
void FailAt(SystemFileResult& result, std::string_view text, std::size_t offset,
            SystemFileError error) {
    const json_in::Position p = json_in::Locate(text, offset);
    result.line = p.line;
    result.column = p.column;
    result.error = std::move(error);
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            static const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

SystemFileResult ReadSystemJson(std::string_view text) {
    SystemFileResult result;
    if (text.size() > kMaxSystemFileBytes) {
        result.error.form = SystemFormProblem::FileTooLarge;
        return result;
    }
    // A system needs five levels (system, sections, section, fittings, fitting);
    // anything deeper is refused before it costs stack.
    json_in::Limits limits;
    limits.maxDepth = 16;
    const json_in::ParseResult parsed = json_in::Parse(text, limits);
    if (!parsed.ok) {
        SystemFileError error;
        error.json = parsed.problem;
        error.values = {parsed.shown};
        FailAt(result, text, parsed.offset, std::move(error));
        return result;
    }
    try {
        Reader(result.file).Read(parsed.value);
        result.ok = true;
    } catch (const FormError& e) {
        FailAt(result, text, e.offset, e.error);
        result.file = SystemFile{};
    }
    return result;
}

std::string WriteSystemJson(const SystemFile& file) {
    const SystemSettings& s = file.system.settings;
    const SystemMaterialChoice& m = file.choice;
    std::string out = "{";
    auto member = [&](std::string_view key, const std::string& value) {
        if (out.size() > 1) out += ", ";
        out += JsonString(key) + ": " + value;
    };
    if (!s.name.empty()) member("name", JsonString(s.name));
    member("units", s.pressureInPa ? "\"Pa\"" : "\"mmAq\"");
    member("friction_law", s.law == FrictionLaw::Power ? "\"power\"" : "\"colebrook\"");
    if (m.style) member("style", std::to_string(*m.style));
    if (m.materialRow) member("material", std::to_string(*m.materialRow));
    if (m.materialName) member("material", JsonString(*m.materialName));
    if (m.roughness) member("roughness", JsonNumber(*m.roughness));
    if (m.velocity && m.loss) {
        std::string limits =
            "{\"velocity\": " + JsonNumber(*m.velocity) + ", \"loss\": " + JsonNumber(*m.loss);
        if (m.aspect) limits += ", \"aspect\": " + JsonNumber(*m.aspect);
        member("limits", limits + "}");
    }
    member("shape", s.shape == DuctShape::Round ? "\"round\"" : "\"rectangular\"");
    if (s.maxHeight) member("max_height", JsonNumber(*s.maxHeight));
    if (s.air) {
        std::string air = "{\"temperature\": " + JsonNumber(s.air->temperature);
        if (s.air->elevation) air += ", \"elevation\": " + JsonNumber(*s.air->elevation);
        if (s.air->pressure) air += ", \"pressure\": " + JsonNumber(*s.air->pressure);
        member("air", air + "}");
    }
    out += ",\n \"sections\": [";
    bool first = true;
    for (const SystemSection& sec : file.system.sections) {
        out += first ? "\n  {" : ",\n  {";
        first = false;
        out += "\"id\": " + JsonString(sec.id);
        out +=
            ", \"upstream\": " + (sec.upstream ? JsonString(*sec.upstream) : std::string("null"));
        out += ", \"length\": " + JsonNumber(sec.length);
        if (sec.flow) out += ", \"flow\": " + JsonNumber(*sec.flow);
        if (!sec.size.empty()) out += ", \"size\": " + JsonString(sec.size);
        if (sec.shape)
            out += std::string(", \"shape\": ") +
                   (*sec.shape == DuctShape::Round ? "\"round\"" : "\"rectangular\"");
        if (sec.maxHeight) out += ", \"max_height\": " + JsonNumber(*sec.maxHeight);
        if (!sec.fittings.empty()) {
            out += ", \"fittings\": [";
            for (std::size_t i = 0; i < sec.fittings.size(); ++i) {
                const Fitting& f = sec.fittings[i];
                if (i) out += ", ";
                out += f.name.empty() ? JsonNumber(f.c)
                                      : "{\"name\": " + JsonString(f.name) +
                                            ", \"c\": " + JsonNumber(f.c) + "}";
            }
            out += "]";
        }
        if (sec.fixedLoss != 0) out += ", \"fixed_loss\": " + JsonNumber(sec.fixedLoss);
        out += "}";
    }
    out += "]}\n";
    return out;
}

} // namespace kestrix
