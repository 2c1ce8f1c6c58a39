#include "dw/platform/profiletext.h"

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

bool usableKey(std::string_view key) {
    return !key.empty() && key.front() != '[' && key.front() != ';' &&
           key.find_first_of("=\r\n") == std::string_view::npos;
}

bool usableSection(std::string_view section) {
    return section.find_first_of("]\r\n") == std::string_view::npos;
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
            return parsed.value;
        }
    }
    return std::nullopt;
}

std::optional<ProfileEdit> planProfileWrite(std::string_view text, std::string_view section,
                                            std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (!usableKey(key) || !usableSection(section)) {
        return std::nullopt;
    }
    const std::string keyLine = std::string(key) + "=" + profileValueText(value);
    bool inSection = false;
    std::optional<Line> lastFilled; // the section's last non-blank line, header included
    for (std::size_t pos = firstLineStart(text); pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = parseLine(content);
        if (parsed.kind == LineKind::Section) {
            if (inSection) {
                break;
            }
            inSection = sameName(parsed.name, section);
            if (inSection) {
                lastFilled = line;
            }
        } else if (inSection) {
            if (parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
                return ProfileEdit{line.begin, line.end - line.begin, keyLine};
            }
            if (!trim(content).empty()) {
                lastFilled = line;
            }
        }
    }
    if (lastFilled) {
        // Appended after the section's last line, before any blank lines that part it from
        // the next section.
        const std::string lead = lastFilled->hasBreak() ? "" : std::string(kLineEnd);
        return ProfileEdit{lastFilled->next, 0, lead + keyLine + std::string(kLineEnd)};
    }
    const bool openLast = !text.empty() && !isLineBreak(text.back());
    std::string insert = openLast ? std::string(kLineEnd) : std::string();
    insert += "[" + std::string(section) + "]" + std::string(kLineEnd);
    insert += keyLine + std::string(kLineEnd);
    return ProfileEdit{text.size(), 0, insert};
}

std::string applyProfileEdit(std::string_view text, const ProfileEdit& edit) {
    std::string result;
    result.reserve(text.size() + edit.insert.size());
    result.append(text.substr(0, edit.offset));
    result.append(edit.insert);
    result.append(text.substr(edit.offset + edit.eraseLength));
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
