#include "dw/platform/profiletext.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace dw::platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view trim(std::string_view text) {
    while (!text.empty() && isProfileBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isProfileBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// One line of the text: [begin, end) is its content, `next` where the following line starts.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool hasBreak() const { return next != end; }
};

Line lineAt(std::string_view text, std::size_t pos) {
    std::size_t end = text.find_first_of(kLineEnd, pos);
    if (end == std::string_view::npos) {
        return {pos, text.size(), text.size()};
    }
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    return {pos, end, end + (crlf ? 2 : 1)};
}

// A text saved by an editor that marks UTF-8 would otherwise hide its first section.
std::size_t firstLineStart(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

ParsedLine parseLine(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';') {
        return {};
    }
    if (t.front() == '[') {
        const std::size_t close = t.find(']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {LineKind::Section, trim(t.substr(1, close - 1)), {}};
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
        return {};
    }
    return {LineKind::Key, trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

// Hand-edited files and other writers quote values; one matching pair around the whole value
// is dropped, so that what a reader gets is what was meant. A lone or unmatched quote stays.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool usableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' &&
           key.find_first_of("=\r\n") == std::string_view::npos;
}

bool usableSection(std::string_view section) {
    return section.find_first_of("]\r\n") == std::string_view::npos;
}

std::string lowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        c = lowerAscii(c);
    }
    return lower;
}

// A key line and the key as the file spells it.
struct KeyLine {
    Line line;
    std::string_view name;
};

// The key lines of the first section of a name and where that section's last filled line is.
struct SectionScan {
    std::vector<KeyLine> keyLines;
    std::unordered_map<std::string, std::size_t> firstKeyLine; // lower-case key -> keyLines index
    std::optional<Line> lastFilled; // header included; nullopt when the section is missing
};

SectionScan scanSection(std::string_view text, std::string_view section) {
    SectionScan scan;
    bool inSection = false;
    for (std::size_t pos = firstLineStart(text); pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = parseLine(content);
        if (parsed.kind == LineKind::Section) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = sameName(parsed.name, section);
            if (inSection) {
                scan.lastFilled = line;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (parsed.kind == LineKind::Key) {
            scan.firstKeyLine.try_emplace(lowerName(parsed.name), scan.keyLines.size());
            scan.keyLines.push_back({line, parsed.name});
        }
        if (!trim(content).empty()) {
            scan.lastFilled = line;
        }
    }
    return scan;
}

// What a batch does to a section: key lines replaced, and new key lines in order of first write.
struct WritePlan {
    std::map<std::size_t, std::string> replaced; // key line index in the scan -> new line
    struct Appended {
        std::string name; // lower case
        std::string_view spelling;
        std::string line;
    };
    std::vector<Appended> appended;
};

// nullopt when a key could not be read back as itself.
std::optional<WritePlan> planWrites(const SectionScan& scan,
                                    const std::vector<ProfileEntry>& entries) {
    WritePlan plan;
    for (const auto& [rawKey, value] : entries) {
        const std::string_view key = trim(rawKey);
        if (!usableKey(key)) {
            return std::nullopt;
        }
        const std::string name = lowerName(key);
        if (const auto found = scan.firstKeyLine.find(name); found != scan.firstKeyLine.end()) {
            // Replacing keeps the file's own spelling of the key.
            const std::string_view spelling = scan.keyLines[found->second].name;
            plan.replaced[found->second] = std::string(spelling) + "=" + profileValueText(value);
            continue;
        }
        // A key new to the file keeps the spelling of its first write, as a later write of the
        // same key one at a time would find that spelling in the file.
        const auto earlier = std::find_if(plan.appended.begin(), plan.appended.end(),
                                          [&](const auto& entry) { return entry.name == name; });
        if (earlier != plan.appended.end()) {
            earlier->line = std::string(earlier->spelling) + "=" + profileValueText(value);
        } else {
            plan.appended.push_back({name, key, std::string(key) + "=" + profileValueText(value)});
        }
    }
    return plan;
}

} // namespace

std::optional<std::string_view> findProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
    section = trim(section);
    key = trim(key);
    bool inSection = false;
    for (std::size_t pos = firstLineStart(text); pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const ParsedLine parsed = parseLine(text.substr(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = sameName(parsed.name, section);
        } else if (inSection && parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            return unquoted(parsed.value);
        }
    }
    return std::nullopt;
}

std::optional<std::string> applyProfileWrites(std::string_view text, std::string_view section,
                                              const std::vector<ProfileEntry>& entries) {
    section = trim(section);
    if (!usableSection(section)) {
        return std::nullopt;
    }
    const SectionScan scan = scanSection(text, section);
    const std::optional<WritePlan> plan = planWrites(scan, entries);
    if (!plan) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(text.size() + 64 * entries.size());
    std::size_t cursor = 0;
    for (const auto& [index, line] : plan->replaced) {
        const Line& old = scan.keyLines[index].line;
        result.append(text.substr(cursor, old.begin - cursor));
        result.append(line);
        cursor = old.end;
    }
    if (plan->appended.empty()) {
        result.append(text.substr(cursor));
        return result;
    }
    std::string lines;
    for (const auto& entry : plan->appended) {
        lines += entry.line;
        lines += kLineEnd;
    }
    if (scan.lastFilled) {
        // After the section's last line, before any blank lines that part it from the next.
        const std::size_t at = scan.lastFilled->next;
        result.append(text.substr(cursor, at - cursor));
        if (!scan.lastFilled->hasBreak()) {
            result.append(kLineEnd);
        }
        result.append(lines);
        result.append(text.substr(at));
        return result;
    }
    result.append(text.substr(cursor));
    if (!text.empty() && !isLineBreak(text.back())) {
        result.append(kLineEnd);
    }
    result += "[" + std::string(section) + "]" + std::string(kLineEnd) + lines;
    return result;
}

std::string profileValueText(std::string_view value) {
    if (value.empty()) {
        return " ";
    }
    std::string text(value);
    for (char& c : text) {
        if (isLineBreak(c)) {
            c = ' ';
        }
    }
    return text;
}

} // namespace dw::platform
