#include "hydro_table_file.h"

#include <cstdlib>

#include "kernel/platform/console.h"

namespace acceptance {

namespace {

constexpr std::size_t kCell = 15;
constexpr int kCells = 7;

// Symbols of the three tables, after the "符号" cell.
const char* const kSymbols[3][6] = {{"T", "V", "DIS", "DISk", "Zb", "Xb"},
                                    {"T", "Aw", "Xf", "Zm", "TPC", "MTC"},
                                    {"T", "ZmL ", "CB", "Cw", "Cm", "Cp"}};

std::string trim_right(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The seven cells of a line of short cells: 105 bytes, every cell padded.
bool split_cells(const std::string& line, std::vector<std::string>& cells) {
    cells.clear();
    if (line.size() != kCell * kCells) return false;
    for (int c = 0; c < kCells; ++c) {
        const std::string cell = line.substr(c * kCell, kCell);
        if (cell.back() != ' ') return false;  // no room left for the padding
        cells.push_back(cell);
    }
    return true;
}

}  // namespace

HydroTableFile parse_hydro_table_file(const std::string& bytes) {
    HydroTableFile f;
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", from);
        if (end == std::string::npos) {
            f.problems.push_back("text after the last CR LF");
            return f;
        }
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    if (lines.size() < 9 || lines.size() % 3 != 0) {
        f.problems.push_back("line count " + std::to_string(lines.size()));
        return f;
    }
    f.rows = static_cast<int>(lines.size()) / 3 - 3;
    const std::size_t per_table = f.rows + 3;
    std::vector<std::string> cells;
    for (int t = 0; t < 3; ++t) {
        const std::size_t top = t * per_table;
        if (!split_cells(lines[top + 1], cells)) {
            f.problems.push_back("symbol row of table " + std::to_string(t + 1));
            continue;
        }
        if (trim_right(cells[0]) != voxel::utf8_to_gbk("符号"))
            f.problems.push_back("first symbol cell of table " + std::to_string(t + 1));
        for (int c = 0; c < 6; ++c)
            if (cells[c + 1] != std::string(kSymbols[t][c]) +
                                    std::string(kCell - std::string(kSymbols[t][c]).size(), ' '))
                f.problems.push_back("symbol " + std::string(kSymbols[t][c]));
        for (int i = 0; i < f.rows; ++i) {
            if (!split_cells(lines[top + 3 + i], cells) || cells[0] != std::string(kCell, ' ')) {
                f.problems.push_back("row " + std::to_string(i) + " of table " +
                                     std::to_string(t + 1));
                continue;
            }
            for (int c = (t == 0 ? 0 : 1); c < 6; ++c) {
                const std::string symbol = trim_right(kSymbols[t][c]);
                const std::string text = trim_right(cells[c + 1]);
                char* end = nullptr;
                const double v = std::strtod(text.c_str(), &end);
                if (text.empty() || *end != '\0')
                    f.problems.push_back("cell " + symbol + " of row " + std::to_string(i));
                f.columns[symbol].push_back(v);
                f.texts[symbol].push_back(text);
            }
            // The drafts of the later tables repeat those of the first.
            const std::vector<std::string>& drafts = f.texts["T"];
            if (t > 0 &&
                (i >= static_cast<int>(drafts.size()) || trim_right(cells[1]) != drafts[i]))
                f.problems.push_back("draft of row " + std::to_string(i) + " in table " +
                                     std::to_string(t + 1));
        }
    }
    return f;
}

}  // namespace acceptance
