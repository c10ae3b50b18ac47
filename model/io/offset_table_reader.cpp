#include "model/io/offset_table_reader.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "kernel/platform/number_format.h"
#include "kernel/platform/text_encoding.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

constexpr std::string_view kHeaderCorner = "x\\z";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// One comma-separated field of a line, blanks around it removed.
struct Field {
    std::string_view text;
    int column = 0;  // where the text starts (where it would, when empty)
};

std::vector<Field> split_fields(std::string_view line) {
    std::vector<Field> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        std::size_t a = start, b = end;
        while (a < b && is_blank(line[a])) ++a;
        while (b > a && is_blank(line[b - 1])) --b;
        fields.push_back({line.substr(a, b - a), static_cast<int>(a) + 1});
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

bool is_skipped(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && is_blank(line[i])) ++i;
    return i == line.size() || line[i] == '#';
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

class TableParser {
  public:
    explicit TableParser(OffsetTableRead& out) : out_(out) {}

    // False when the row is wrong; the error is then set.
    bool header_row(int line, std::string_view text);
    bool station_row(int line, std::string_view text);
    // After the last line: enough stations?
    bool finish(int last_line);

  private:
    bool fail(int line, int column, std::string what) {
        out_.error = {line, column, std::move(what)};
        return false;
    }
    // A finite number, or an error at the field.
    bool number(int line, const Field& f, const char* what, double& value);

    OffsetTableRead& out_;
    int station_rows_ = 0;
};

bool TableParser::number(int line, const Field& f, const char* what, double& value) {
    if (f.text.empty()) return fail(line, f.column, std::string("应为") + what + ", 此处为空");
    std::string_view digits = f.text;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    const char* end = digits.data() + digits.size();
    const auto res = std::from_chars(digits.data(), end, value);
    if (res.ec == std::errc::result_out_of_range)
        return fail(line, f.column,
                    std::string("应为") + what + " (有限数), 读到超出范围的 " + quoted(f.text));
    if (res.ec != std::errc() || res.ptr != end)
        return fail(line, f.column, std::string("应为") + what + ", 读到 " + quoted(f.text));
    if (!std::isfinite(value))
        return fail(line, f.column,
                    std::string("应为") + what + " (有限数), 读到 " + quoted(f.text));
    // The model files written from the table must pass their readers' bound.
    if (std::fabs(value) > kLargestInputMagnitude)
        return fail(line, f.column,
                    std::string("应为") + what +
                        ", 其绝对值不超过 1e100 (否则体积与矩将溢出), 读到 " + quoted(f.text));
    return true;
}

bool TableParser::header_row(int line, std::string_view text) {
    const std::vector<Field> fields = split_fields(text);
    if (fields[0].text != kHeaderCorner)
        return fail(line, fields[0].column,
                    "应为表头行 \"x\\z,z0,z1,...\" (首格为 x\\z, 随后为各水线高度), 读到 " +
                        quoted(fields[0].text));
    out_.header_line = line;
    OffsetTable& t = out_.table;
    for (std::size_t k = 1; k < fields.size(); ++k) {
        double z = 0.0;
        if (!number(line, fields[k], "水线高度 (m)", z)) return false;
        if (!t.z.empty() && !(z > t.z.back()))
            return fail(line, fields[k].column,
                        "水线高度应递增, 读到 " + format_number(z) + ", 不大于前一水线的 " +
                            format_number(t.z.back()));
        t.z.push_back(z);
        out_.waterline_columns.push_back(fields[k].column);
    }
    if (t.z.size() < 2)
        return fail(line, static_cast<int>(text.size()) + 1,
                    "表头行应至少有两条水线的高度, 只有 " + std::to_string(t.z.size()) + " 条");
    return true;
}

bool TableParser::station_row(int line, std::string_view text) {
    const std::vector<Field> fields = split_fields(text);
    OffsetTable& t = out_.table;
    const std::size_t wanted = t.z.size() + 1;
    const std::string row_shape = "此行应有 " + std::to_string(wanted) + " 个数 (站位 x 与 " +
                                  std::to_string(t.z.size()) + " 条水线处的半宽)";
    if (fields.size() > wanted)
        return fail(line, fields[wanted].column,
                    row_shape + ", 此处多出第 " + std::to_string(wanted + 1) + " 个");
    if (fields.size() < wanted)
        return fail(line, static_cast<int>(text.size()) + 1,
                    row_shape + ", 只有 " + std::to_string(fields.size()) + " 个");
    double x = 0.0;
    if (!number(line, fields[0], "站位 x (m)", x)) return false;
    if (!t.x.empty() && !(x > t.x.back()))
        return fail(line, fields[0].column,
                    "站位 x 应递增, 读到 " + format_number(x) + ", 不大于上一站的 " +
                        format_number(t.x.back()));
    for (std::size_t k = 1; k < wanted; ++k) {
        double y = 0.0;
        if (!number(line, fields[k], "半宽 (m)", y)) return false;
        if (y < 0.0)
            return fail(line, fields[k].column,
                        "半宽应 >= 0 (在中线面处闭合时为 0), 读到 " + format_number(y));
        t.half_breadths.push_back(y);
    }
    t.x.push_back(x);
    if (station_rows_ == 0) {
        out_.first_station_line = line;
        out_.first_station_column = fields[0].column;
    }
    out_.last_station_line = line;
    out_.last_station_column = fields[0].column;
    ++station_rows_;
    return true;
}

bool TableParser::finish(int last_line) {
    if (out_.header_line == 0)
        return fail(last_line, 1, "应有表头行 \"x\\z,z0,z1,...\", 文件中没有表格内容");
    if (station_rows_ < 2)
        return fail(last_line, 1,
                    "表中应至少有两个站, 只有 " + std::to_string(station_rows_) + " 个");
    return true;
}

}  // namespace

OffsetTableRead read_offset_table(std::string_view text) {
    OffsetTableRead out;
    TableParser parser(out);
    // A UTF-8 byte-order mark is passed over; a table saved as UTF-16 or
    // UTF-32 is refused, as the model readers refuse one.
    const TextEncodingCheck encoding = check_text_encoding(text);
    if (encoding.refused) {
        out.error = {1, 1, refused_encoding_message(encoding.refused)};
        return out;
    }
    text.remove_prefix(encoding.mark_bytes);
    int line_number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = lf == std::string_view::npos ? text.size() : lf + 1;
        ++line_number;
        if (is_skipped(line)) continue;
        const bool good = out.header_line == 0 ? parser.header_row(line_number, line)
                                               : parser.station_row(line_number, line);
        if (!good) return out;
    }
    out.ok = parser.finish(line_number > 0 ? line_number : 1);
    return out;
}

std::string table_error_message(const std::string& file, const TableError& error) {
    return file + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) +
           ": 错误: " + error.what;
}

}  // namespace voxel
