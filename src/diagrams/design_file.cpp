#include "diagrams/design_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>

#include "data/text_file.h"

namespace zemtral {
namespace {

using Json = nlohmann::json;

constexpr const char* kDesignFormat = "ZEMTRAL-Diagramm";
// The window uses series 1 to 27 of the curves and a handful of point sets; a design file with
// more is not one of ours.
constexpr int kMaxSeriesPerGroup = 64;
// Deeper nesting than this is no design file (and would cost the reader stack and memory).
constexpr std::size_t kMaxNesting = 1024;

// --- Writing: the text layout of the design file --------------------------------------------
//
// Objects with their keys in byte order, one member or element per line indented by four blanks
// per level, an empty container opened and closed on two lines. A double that is a whole number
// of at most 2^53 is written as an integer; any other finite double in its shortest round-trip
// digits, in exponent form ("1e-05", "1.5e+20") when that is shorter than the plain decimal.

void appendIndent(std::string& out, int level) {
    out.append(static_cast<std::size_t>(4 * level), ' ');
}

void appendInteger(std::string& out, long long value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendDouble(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == std::trunc(value) && std::fabs(value) <= 9007199254740992.0) {
        appendInteger(out, static_cast<long long>(value));
        return;
    }
    // The shortest digits d1 d2 ... dn with the exponent e of d1.d2...dn · 10^e.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t ePos = text.find('e');
    std::string mantissa = text.substr(0, ePos);
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    const bool negative = mantissa.front() == '-';
    if (negative) {
        mantissa.erase(0, 1);
    }
    std::string digits = mantissa;
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());

    std::string exponential = mantissa;
    exponential += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        exponential += '0';
    }
    appendInteger(exponential, magnitude);

    // decimalPoint: digits before the point (may be <= 0 or beyond the digits).
    const int decimalPoint = exponent + 1;
    const int count = static_cast<int>(digits.size());
    std::string decimal;
    if (decimalPoint <= 0) {
        decimal = "0." + std::string(static_cast<std::size_t>(-decimalPoint), '0') + digits;
    } else if (decimalPoint < count) {
        decimal = digits.substr(0, static_cast<std::size_t>(decimalPoint)) + "." +
                  digits.substr(static_cast<std::size_t>(decimalPoint));
    } else {
        decimal = digits + std::string(static_cast<std::size_t>(decimalPoint - count), '0');
    }
    if (negative) {
        out += '-';
    }
    out += decimal.size() <= exponential.size() ? decimal : exponential;
}

// Length of the well-formed UTF-8 sequence at `i`, or 0 when the byte there does not start one.
std::size_t utf8SequenceLength(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        code = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        code = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        code = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

// A JSON string: UTF-8 as it is, control characters and the two JSON specials escaped, each
// byte that is not part of well-formed UTF-8 replaced by U+FFFD.
void appendString(std::string& out, const std::string& s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            switch (c) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '\b':
                    out += "\\b";
                    break;
                case '\f':
                    out += "\\f";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                default:
                    if (c < 0x20) {
                        out += "\\u00";
                        out += kHex[c >> 4];
                        out += kHex[c & 0xF];
                    } else {
                        out += static_cast<char>(c);
                    }
            }
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceLength(s, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s, i, length);
            i += length;
        }
    }
    out += '"';
}

void appendValue(std::string& out, const Json& value, int level) {
    switch (value.type()) {
        case Json::value_t::object: {
            out += "{\n";
            std::size_t index = 0;
            for (auto it = value.begin(); it != value.end(); ++it, ++index) {
                appendIndent(out, level + 1);
                appendString(out, it.key());
                out += ": ";
                appendValue(out, it.value(), level + 1);
                out += index + 1 < value.size() ? ",\n" : "\n";
            }
            appendIndent(out, level);
            out += '}';
            break;
        }
        case Json::value_t::array: {
            out += "[\n";
            for (std::size_t index = 0; index < value.size(); ++index) {
                appendIndent(out, level + 1);
                appendValue(out, value[index], level + 1);
                out += index + 1 < value.size() ? ",\n" : "\n";
            }
            appendIndent(out, level);
            out += ']';
            break;
        }
        case Json::value_t::string:
            appendString(out, value.get_ref<const std::string&>());
            break;
        case Json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::number_integer:
            appendInteger(out, value.get<std::int64_t>());
            break;
        case Json::value_t::number_unsigned:
            appendDouble(out, static_cast<double>(value.get<std::uint64_t>()));
            break;
        case Json::value_t::number_float:
            appendDouble(out, value.get<double>());
            break;
        default:
            out += "null";
            break;
    }
}

Json colourJson(ChartColour c) {
    return Json{{"rgb", static_cast<std::int64_t>(c.rgb)}};
}

Json optionalJson(const std::optional<double>& v) {
    return v ? Json(*v) : Json(nullptr);
}

Json optionalIntJson(const std::optional<int>& v) {
    return v ? Json(*v) : Json(nullptr);
}

Json fontJson(const ChartFont& f) {
    return Json{{"family", f.family},
                {"pointSize", static_cast<double>(f.pointSize)},
                {"bold", f.bold},
                {"italic", f.italic},
                {"underline", f.underline}};
}

Json styleJson(const SeriesStyle& s) {
    return Json{{"linePattern", static_cast<int>(s.linePattern)},
                {"lineColour", colourJson(s.lineColour)},
                {"lineWidth", s.lineWidth},
                {"symbolShape", static_cast<int>(s.symbolShape)},
                {"symbolSize", s.symbolSize},
                {"symbolColour", colourJson(s.symbolColour)}};
}

Json axisJson(const AxisSettings& a) {
    return Json{{"minimum", a.minimum},
                {"maximum", a.maximum},
                {"logarithmic", a.logarithmic},
                {"gridSpacing", optionalJson(a.gridSpacing)},
                {"tickSpacing", optionalJson(a.tickSpacing)},
                {"digitSpacing", optionalJson(a.digitSpacing)},
                {"gridShown", a.gridShown},
                {"gridPattern", static_cast<int>(a.gridPattern)},
                {"gridColour", colourJson(a.gridColour)},
                {"origin", static_cast<int>(a.origin)},
                {"originValue", a.originValue},
                {"title", a.title},
                {"titleOrientation", static_cast<int>(a.titleOrientation)},
                {"digitOrientation", static_cast<int>(a.digitOrientation)}};
}

Json labelJson(int id, const ChartLabel& l) {
    return Json{{"id", id},
                {"text", l.text},
                {"attachment", static_cast<int>(l.attachment)},
                {"group", l.group},
                {"series", l.series},
                {"point", l.point},
                {"x", l.x},
                {"y", l.y},
                {"foreground", colourJson(l.foreground)},
                {"background", colourJson(l.background)},
                {"font", fontJson(l.font)},
                {"framed", l.framed},
                {"visible", l.visible}};
}

// --- Reading: every value as a value the window could have set ----------------------------------
//
// The accessors take what a member holds when it has the expected type and the fallback
// otherwise; a missing member is a wrong type.

const Json& member(const Json& object, const char* key) {
    static const Json kMissing;
    if (!object.is_object()) {
        return kMissing;
    }
    const auto it = object.find(key);
    return it == object.end() ? kMissing : *it;
}

const Json& element(const Json& array, std::size_t index) {
    static const Json kMissing;
    return array.is_array() && index < array.size() ? array[index] : kMissing;
}

double numberOr(const Json& v, double fallback) {
    return v.is_number() ? v.get<double>() : fallback;
}

// A whole number in the range of T, else nothing: 2.0 is 2, 2.5 and 3e9 (for an int) are not.
template <typename T>
std::optional<T> wholeNumber(const Json& v) {
    if (v.is_number_integer() && !v.is_number_unsigned()) {
        const std::int64_t n = v.get<std::int64_t>();
        if (n >= static_cast<std::int64_t>(std::numeric_limits<T>::min()) &&
            n <= static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
            return static_cast<T>(n);
        }
        return std::nullopt;
    }
    if (!v.is_number()) {
        return std::nullopt;
    }
    // Integers of at most 2^63 - 1 are read exactly; larger ones count as doubles.
    if (v.is_number_unsigned() &&
        v.get<std::uint64_t>() <= std::uint64_t{std::numeric_limits<std::int64_t>::max()}) {
        const auto n = static_cast<std::int64_t>(v.get<std::uint64_t>());
        return n <= static_cast<std::int64_t>(std::numeric_limits<T>::max())
                   ? std::optional<T>(static_cast<T>(n))
                   : std::nullopt;
    }
    const double d = v.get<double>();
    const double lowest = static_cast<double>(std::numeric_limits<T>::min());  // -2^(bits-1)
    if (d == std::trunc(d) && d >= lowest && d < -lowest) {
        return static_cast<T>(d);
    }
    return std::nullopt;
}

bool boolOr(const Json& v, bool fallback) {
    return v.is_boolean() ? v.get<bool>() : fallback;
}

std::string textOr(const Json& v, const std::string& fallback = {}) {
    return v.is_string() ? v.get<std::string>() : fallback;
}

ChartColour colourFrom(const Json& v, ChartColour fallback) {
    if (!v.is_object()) {
        return fallback;
    }
    return ChartColour{static_cast<std::uint32_t>(wholeNumber<std::int64_t>(member(v, "rgb")).value_or(0))};
}

int intIn(const Json& v, int lo, int hi, int fallback) {
    const double d = numberOr(v, fallback);
    return std::isfinite(d) && d >= lo && d <= hi ? static_cast<int>(d) : fallback;
}

template <typename Enum>
Enum enumIn(const Json& v, std::initializer_list<int> allowed, Enum fallback) {
    const int i = wholeNumber<int>(v).value_or(static_cast<int>(fallback));
    return std::find(allowed.begin(), allowed.end(), i) != allowed.end() ? static_cast<Enum>(i) : fallback;
}

double finiteOr(const Json& v, double fallback) {
    const double d = numberOr(v, fallback);
    return std::isfinite(d) ? d : fallback;
}

std::optional<double> spacingFrom(const Json& v) {
    const double d = numberOr(v, 0.0);
    return v.is_number() && std::isfinite(d) && d > 0.0 ? std::optional<double>(d) : std::nullopt;
}

std::optional<double> fractionFrom(const Json& v) {
    const double d = numberOr(v, -1.0);
    return v.is_number() && d >= 0.0 && d <= 1.0 ? std::optional<double>(d) : std::nullopt;
}

std::optional<int> optionalIntFrom(const Json& v) {
    return v.is_number() ? std::optional<int>(wholeNumber<int>(v).value_or(0)) : std::nullopt;
}

constexpr std::initializer_list<int> kLinePatterns = {1, 2, 3, 4, 7};
constexpr std::initializer_list<int> kSymbolShapes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr std::initializer_list<int> kOrientations = {0, 1};

ChartFont fontFrom(const Json& o) {
    ChartFont f;
    f.family = textOr(member(o, "family"), f.family);
    const double size = finiteOr(member(o, "pointSize"), f.pointSize);
    f.pointSize = size >= 4.0 && size <= 96.0 ? static_cast<float>(size) : f.pointSize;
    f.bold = boolOr(member(o, "bold"), false);
    f.italic = boolOr(member(o, "italic"), false);
    f.underline = boolOr(member(o, "underline"), false);
    return f;
}

SeriesStyle styleFrom(const Json& o, int group) {
    SeriesStyle s = defaultSeriesStyle(group);
    s.linePattern = enumIn(member(o, "linePattern"), kLinePatterns, s.linePattern);
    s.lineColour = colourFrom(member(o, "lineColour"), s.lineColour);
    s.lineWidth = intIn(member(o, "lineWidth"), 1, 10, s.lineWidth);
    s.symbolShape = enumIn(member(o, "symbolShape"), kSymbolShapes, s.symbolShape);
    s.symbolSize = intIn(member(o, "symbolSize"), 2, 30, s.symbolSize);
    s.symbolColour = colourFrom(member(o, "symbolColour"), s.symbolColour);
    return s;
}

AxisSettings axisFrom(const Json& o) {
    AxisSettings a;
    a.minimum = finiteOr(member(o, "minimum"), a.minimum);
    a.maximum = finiteOr(member(o, "maximum"), a.maximum);
    a.logarithmic = boolOr(member(o, "logarithmic"), false);
    a.gridSpacing = spacingFrom(member(o, "gridSpacing"));
    a.tickSpacing = spacingFrom(member(o, "tickSpacing"));
    a.digitSpacing = spacingFrom(member(o, "digitSpacing"));
    a.gridShown = boolOr(member(o, "gridShown"), a.gridShown);
    a.gridPattern = enumIn(member(o, "gridPattern"), kLinePatterns, a.gridPattern);
    a.gridColour = colourFrom(member(o, "gridColour"), a.gridColour);
    a.origin = enumIn(member(o, "origin"), {0, 1, 2, 3, 4}, AxisOrigin::AutomaticAtMinimum);
    a.originValue = finiteOr(member(o, "originValue"), 0.0);
    a.title = textOr(member(o, "title"));
    a.titleOrientation = enumIn(member(o, "titleOrientation"), kOrientations, TextOrientation::Horizontal);
    a.digitOrientation = enumIn(member(o, "digitOrientation"), kOrientations, TextOrientation::Horizontal);
    return a;
}

ChartLabel labelFrom(const Json& o) {
    ChartLabel l;
    l.text = textOr(member(o, "text"));
    l.attachment = enumIn(member(o, "attachment"), {0, 1}, l.attachment);
    l.group = intIn(member(o, "group"), 1, 2, 1);
    l.series = intIn(member(o, "series"), 1, kMaxSeriesPerGroup, 1);
    l.point = intIn(member(o, "point"), 1, std::numeric_limits<int>::max(), 1);
    l.x = finiteOr(member(o, "x"), 0.0);
    l.y = finiteOr(member(o, "y"), 0.0);
    l.foreground = colourFrom(member(o, "foreground"), l.foreground);
    l.background = colourFrom(member(o, "background"), l.background);
    l.font = fontFrom(member(o, "font"));
    l.framed = boolOr(member(o, "framed"), false);
    l.visible = boolOr(member(o, "visible"), true);
    return l;
}

// Parses the text; nothing when it is no JSON (a number beyond the range of a double included)
// or nests deeper than kMaxNesting.
std::optional<Json> parseDesignText(const std::string& text) {
    bool acceptable = true;
    const Json::parser_callback_t check = [&acceptable](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
            static_cast<std::size_t>(depth) >= kMaxNesting) {
            acceptable = false;
        }
        return true;
    };
    Json document = Json::parse(text, check, /*allow_exceptions=*/false);
    if (document.is_discarded() || !acceptable) {
        return std::nullopt;
    }
    return document;
}

}  // namespace

SeriesStyle defaultSeriesStyle(int group) {
    SeriesStyle style;
    if (group == 2) {
        style.linePattern = LinePattern::None;
        style.symbolShape = SymbolShape::FilledCircle;
        style.symbolSize = 7;
    }
    return style;
}

std::string chartStateToJson(const ChartState& state) {
    Json root = Json::object();
    root["format"] = kDesignFormat;
    root["version"] = 1;
    Json groups = Json::array();
    for (const auto& group : state.groups) {
        Json seriesArray = Json::array();
        for (const auto& s : group) {
            Json points = Json::array();
            for (const auto& p : s.points) {
                points.push_back(Json::array({p.x, p.y}));
            }
            seriesArray.push_back(Json{{"points", std::move(points)},
                                       {"style", styleJson(s.style)},
                                       {"label", s.label},
                                       {"legendShown", s.legendShown},
                                       {"visible", s.visible}});
        }
        groups.push_back(std::move(seriesArray));
    }
    root["groups"] = std::move(groups);
    Json labels = Json::array();
    for (const auto& [id, l] : state.labels) {
        labels.push_back(labelJson(id, l));
    }
    root["labels"] = std::move(labels);
    root["nextLabelId"] = state.nextLabelId;
    root["header"] =
        Json{{"text", state.header}, {"font", fontJson(state.headerFont)}, {"framed", state.headerFramed}};
    root["axisX"] = axisJson(state.axes[0]);
    root["axisY"] = axisJson(state.axes[1]);
    const LegendSettings& g = state.legend;
    root["legend"] = Json{{"shown", g.shown},
                          {"orientation", static_cast<int>(g.orientation)},
                          {"foreground", colourJson(g.foreground)},
                          {"background", colourJson(g.background)},
                          {"transparent", g.transparent},
                          {"framed", g.framed},
                          {"font", fontJson(g.font)},
                          {"left", optionalIntJson(g.left)},
                          {"top", optionalIntJson(g.top)}};
    const AreaSettings& a = state.areas;
    root["areas"] = Json{{"chartAreaColour", colourJson(a.chartAreaColour)},
                         {"innerMarginColour", colourJson(a.innerMarginColour)},
                         {"plotAreaColour", colourJson(a.plotAreaColour)},
                         {"marginsAutomatic", a.margins.automatic},
                         {"marginLeft", a.margins.left},
                         {"marginRight", a.margins.right},
                         {"marginTop", a.margins.top},
                         {"marginBottom", a.margins.bottom},
                         {"border", static_cast<int>(a.border)},
                         {"borderWidth", a.borderWidth},
                         {"plotLeft", optionalJson(a.plotLeft)},
                         {"plotTop", optionalJson(a.plotTop)},
                         {"plotWidth", optionalJson(a.plotWidth)},
                         {"plotHeight", optionalJson(a.plotHeight)}};
    std::string text;
    appendValue(text, root, 0);
    text += '\n';
    return text;
}

std::optional<ChartState> chartStateFromJson(const std::string& json) {
    const std::optional<Json> document = parseDesignText(json);
    if (!document || !document->is_object()) {
        return std::nullopt;
    }
    const Json& root = *document;
    if (textOr(member(root, "format")) != kDesignFormat) {
        return std::nullopt;
    }
    ChartState state;
    const Json& groups = member(root, "groups");
    for (std::size_t g = 0; g < 2; ++g) {
        const Json& group = element(groups, g);
        if (!group.is_array()) {
            continue;
        }
        for (const Json& so : group) {
            if (static_cast<int>(state.groups[g].size()) >= kMaxSeriesPerGroup) {
                break;
            }
            ChartState::Series s;
            const Json& points = member(so, "points");
            if (points.is_array()) {
                for (const Json& pa : points) {
                    const double x = numberOr(element(pa, 0), std::nan(""));
                    const double y = numberOr(element(pa, 1), std::nan(""));
                    if (std::isfinite(x) && std::isfinite(y)) {
                        s.points.push_back({x, y});
                    }
                }
            }
            s.style = styleFrom(member(so, "style"), static_cast<int>(g) + 1);
            s.label = textOr(member(so, "label"));
            s.legendShown = boolOr(member(so, "legendShown"), true);
            s.visible = boolOr(member(so, "visible"), true);
            state.groups[g].push_back(std::move(s));
        }
    }
    const Json& labels = member(root, "labels");
    if (labels.is_array()) {
        for (const Json& lo : labels) {
            const int id = intIn(member(lo, "id"), 1, 1 << 30, 0);
            const bool taken = std::any_of(state.labels.begin(), state.labels.end(),
                                           [id](const auto& entry) { return entry.first == id; });
            if (id > 0 && !taken) {
                state.labels.emplace_back(id, labelFrom(lo));
            }
        }
    }
    state.nextLabelId = intIn(member(root, "nextLabelId"), 1, 1 << 30, 1);
    for (const auto& [id, l] : state.labels) {
        state.nextLabelId = std::max(state.nextLabelId, id + 1);
    }
    const Json& header = member(root, "header");
    state.header = textOr(member(header, "text"));
    state.headerFont = fontFrom(member(header, "font"));
    state.headerFramed = boolOr(member(header, "framed"), false);
    state.axes[0] = axisFrom(member(root, "axisX"));
    state.axes[1] = axisFrom(member(root, "axisY"));
    const Json& legend = member(root, "legend");
    state.legend.shown = boolOr(member(legend, "shown"), true);
    state.legend.orientation =
        enumIn(member(legend, "orientation"), kOrientations, TextOrientation::Vertical);
    state.legend.foreground = colourFrom(member(legend, "foreground"), kChartBlack);
    state.legend.background = colourFrom(member(legend, "background"), kChartWhite);
    state.legend.transparent = boolOr(member(legend, "transparent"), false);
    state.legend.framed = boolOr(member(legend, "framed"), false);
    state.legend.font = fontFrom(member(legend, "font"));
    state.legend.left = optionalIntFrom(member(legend, "left"));
    state.legend.top = optionalIntFrom(member(legend, "top"));
    for (std::optional<int>* offset : {&state.legend.left, &state.legend.top}) {
        if (*offset && (**offset < 0 || **offset > 10000)) {
            offset->reset();
        }
    }
    const Json& areas = member(root, "areas");
    AreaSettings& a = state.areas;
    a.chartAreaColour = colourFrom(member(areas, "chartAreaColour"), kChartWhite);
    a.innerMarginColour = colourFrom(member(areas, "innerMarginColour"), kChartWhite);
    a.plotAreaColour = colourFrom(member(areas, "plotAreaColour"), kChartWhite);
    a.margins.automatic = boolOr(member(areas, "marginsAutomatic"), true);
    a.margins.left = intIn(member(areas, "marginLeft"), 0, 200, 0);
    a.margins.right = intIn(member(areas, "marginRight"), 0, 200, 0);
    a.margins.top = intIn(member(areas, "marginTop"), 0, 200, 0);
    a.margins.bottom = intIn(member(areas, "marginBottom"), 0, 200, 0);
    a.border = enumIn(member(areas, "border"), {0, 1, 2, 3}, BorderType::None);
    a.borderWidth = intIn(member(areas, "borderWidth"), 1, 10, 1);
    a.plotLeft = fractionFrom(member(areas, "plotLeft"));
    a.plotTop = fractionFrom(member(areas, "plotTop"));
    a.plotWidth = fractionFrom(member(areas, "plotWidth"));
    a.plotHeight = fractionFrom(member(areas, "plotHeight"));
    return state;
}

ChartOutput saveDesignFile(const std::string& path, const ChartState& state) {
    if (writeFileAtomic(path, chartStateToJson(state)).failed()) {
        return {false, "Die Datei kann nicht geschrieben werden: " + path};
    }
    return {};
}

DesignFileContent loadDesignFile(const std::string& path) {
    DesignFileContent content;
    const FileBytes file = readFileBytes(path);
    if (file.error.failed()) {
        content.errorText = "Datei nicht gefunden: " + path;
        return content;
    }
    content.state = chartStateFromJson(file.bytes);
    if (!content.state) {
        content.errorText = "Die Datei ist keine Diagrammvorlage: " + path;
    }
    return content;
}

}  // namespace zemtral
