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
    std::string message;
    std::size_t offset;
};

class Reader {
  public:
    explicit Reader(SystemFile& file) : file_(file) {}

    void Read(const Value& root) {
        if (root.kind != Kind::Object)
            throw FormError{"a system file holds one JSON object, not " +
                                std::string(json_in::KindName(root.kind)),
                            root.offset};
        SystemSettings& s = file_.system.settings;
        SystemMaterialChoice& m = file_.choice;
        const Value* sections = nullptr;
        for (const Value& v : root.items) {
            const std::string& k = v.key;
            if (k == "name") {
                s.name = Text(v, k);
            } else if (k == "units") {
                const std::string u = Text(v, k);
                if (u != "Pa" && u != "mmAq") Fail(v, "\"units\" is \"Pa\" or \"mmAq\", not \"" + u + "\"");
                s.pressureInPa = u == "Pa";
                m.unitsGiven = true;
            } else if (k == "friction_law") {
                const std::string law = Text(v, k);
                if (law != "power" && law != "colebrook")
                    Fail(v, "\"friction_law\" is \"power\" or \"colebrook\", not \"" + law + "\"");
                s.law = law == "power" ? FrictionLaw::Power : FrictionLaw::Colebrook;
            } else if (k == "material") {
                if (v.kind == Kind::Number)
                    m.materialRow = Whole(v, k);
                else
                    m.materialName = Text(v, "material (a row number or a name)");
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
                Fail(v, "unknown setting \"" + k + "\"");
            }
        }
        if (!sections) throw FormError{"the system has no \"sections\"", root.offset};
        if (sections->kind != Kind::Array) Fail(*sections, "\"sections\" must be an array");
        if (sections->items.size() > kMaxSystemSections)
            Fail(*sections, "the system has " + std::to_string(sections->items.size()) +
                                " sections; at most " + std::to_string(kMaxSystemSections) +
                                " are taken");
        file_.system.sections.reserve(sections->items.size());
        for (const Value& v : sections->items)
            ReadSection(v);
    }

  private:
    SystemFile& file_;
    std::string section_; // the id of the section being read, for messages

    [[noreturn]] void Fail(const Value& at, const std::string& message) {
        throw FormError{section_.empty() ? message : "section \"" + section_ + "\": " + message,
                        at.offset};
    }

    std::string Text(const Value& v, const std::string& what) {
        if (v.kind != Kind::String)
            Fail(v, "\"" + what + "\" must be a text, not " + json_in::KindName(v.kind));
        return v.text;
    }

    double Num(const Value& v, const std::string& what) {
        if (v.kind != Kind::Number)
            Fail(v, "\"" + what + "\" must be a number, not " + json_in::KindName(v.kind));
        return v.number;
    }

    int Whole(const Value& v, const std::string& what) {
        const double x = Num(v, what);
        if (x != std::trunc(x) || std::fabs(x) > 1e9)
            Fail(v, "\"" + what + "\" must be a whole number, not " + FormatGeneral(x));
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
        Fail(v, "\"shape\" is \"round\" or \"rectangular\", not \"" + shape + "\"");
    }

    void ReadLimits(const Value& v) {
        if (v.kind != Kind::Object) Fail(v, "\"limits\" must be an object");
        SystemMaterialChoice& m = file_.choice;
        for (const Value& item : v.items) {
            if (item.key == "velocity")
                m.velocity = Num(item, "velocity");
            else if (item.key == "loss")
                m.loss = Num(item, "loss");
            else if (item.key == "aspect")
                m.aspect = Num(item, "aspect");
            else
                Fail(item, "unknown limit \"" + item.key + "\" (velocity, loss, aspect)");
        }
        if (!m.velocity || !m.loss) Fail(v, "\"limits\" needs \"velocity\" and \"loss\"");
    }

    void ReadAir(const Value& v) {
        if (v.kind != Kind::Object) Fail(v, "\"air\" must be an object");
        AirState air;
        for (const Value& item : v.items) {
            if (item.key == "temperature")
                air.temperature = Num(item, "temperature");
            else if (item.key == "elevation")
                air.elevation = Num(item, "elevation");
            else if (item.key == "pressure")
                air.pressure = Num(item, "pressure");
            else
                Fail(item, "unknown air property \"" + item.key + "\" (temperature, elevation, pressure)");
        }
        if (air.elevation && air.pressure) Fail(v, "\"air\" gives both elevation and pressure; give one");
        file_.system.settings.air = air;
    }

    void ReadSection(const Value& v) {
        section_.clear();
        if (v.kind != Kind::Object)
            Fail(v, std::string("each section must be an object, not ") + json_in::KindName(v.kind));
        SystemSection s;
        const Value* id = v.Find("id");
        if (!id) Fail(v, "a section has no \"id\"");
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
                if (s.size.empty()) Fail(item, "\"size\" is empty");
            } else if (k == "shape") {
                s.shape = Shape(item);
            } else if (k == "max_height") {
                s.maxHeight = Num(item, k);
            } else if (k == "fittings") {
                ReadFittings(item, s);
            } else if (k == "fixed_loss") {
                s.fixedLoss = Num(item, k);
            } else {
                Fail(item, "unknown member \"" + k + "\"");
            }
        }
        if (!hasLength) Fail(v, "no \"length\"");
        file_.system.sections.push_back(std::move(s));
    }

    void ReadFittings(const Value& v, SystemSection& s) {
        if (v.kind != Kind::Array) Fail(v, "\"fittings\" must be an array");
        s.fittings.reserve(v.items.size());
        for (const Value& item : v.items) {
            Fitting f;
            if (item.kind == Kind::Number) {
                f.c = item.number;
            } else if (item.kind == Kind::Object) {
                const Value* c = item.Find("c");
                if (!c) Fail(item, "a fitting needs its loss coefficient \"c\"");
                f.c = Num(*c, "c");
                for (const Value& member : item.items) {
                    if (member.key == "name")
                        f.name = Text(member, "name");
                    else if (member.key != "c")
                        Fail(member, "unknown member \"" + member.key + "\" of a fitting (name, c)");
                }
            } else {
                Fail(item, "a fitting is a number or {\"name\": ..., \"c\": ...}");
            }
            s.fittings.push_back(std::move(f));
        }
    }
};

// Sets the error of a result at a place of the text.
void FailAt(SystemFileResult& result, std::string_view text, std::size_t offset, std::string detail) {
    const json_in::Position p = json_in::Locate(text, offset);
    result.line = p.line;
    result.column = p.column;
    result.error = "line " + std::to_string(p.line) + ", column " + std::to_string(p.column) + ": " + detail;
    result.detail = std::move(detail);
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
        result.error = result.detail = "the file is larger than 50 MB";
        return result;
    }
    // A system needs five levels (system, sections, section, fittings, fitting);
    // anything deeper is refused before it costs stack.
    json_in::Limits limits;
    limits.maxDepth = 16;
    const json_in::ParseResult parsed = json_in::Parse(text, limits);
    if (!parsed.ok) {
        FailAt(result, text, parsed.offset, parsed.error);
        return result;
    }
    try {
        Reader(result.file).Read(parsed.value);
        result.ok = true;
    } catch (const FormError& e) {
        FailAt(result, text, e.offset, e.message);
        result.file = SystemFile{};
    }
    return result;
}

std::string SystemFileErrorText(const SystemFileResult& result, bool japanese) {
    if (!japanese) return result.error;
    if (result.line == 0) return "ファイルを読めません：" + result.detail;
    return "ファイルの " + std::to_string(result.line) + " 行 " + std::to_string(result.column) +
           " 列に誤りがあります：" + result.detail;
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
        std::string limits = "{\"velocity\": " + JsonNumber(*m.velocity) +
                             ", \"loss\": " + JsonNumber(*m.loss);
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
        out += ", \"upstream\": " + (sec.upstream ? JsonString(*sec.upstream) : std::string("null"));
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
                                      : "{\"name\": " + JsonString(f.name) + ", \"c\": " + JsonNumber(f.c) + "}";
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
