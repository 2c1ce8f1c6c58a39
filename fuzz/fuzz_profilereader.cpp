// Profile text from anywhere: reading must never fail, and a write must read back as itself
// (less any outer quotes) without disturbing any other key.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdlib>

#include "dw/platform/profiletext.h"

using namespace dw::platform;

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isProfileBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isProfileBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A value as a reader gets it back: trimmed, then one matching pair of quotes around it dropped.
std::string_view readBack(std::string_view written) {
    written = trimmed(written);
    const bool quoted = written.size() >= 2 && written.front() == written.back() &&
                        (written.front() == '"' || written.front() == '\'');
    return quoted ? written.substr(1, written.size() - 2) : written;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    std::vector<ProfileEntry> entries(input.ConsumeIntegralInRange(1, 3));
    for (auto& [key, value] : entries) {
        key = input.ConsumeRandomLengthString(16);
        value = input.ConsumeRandomLengthString(400);
    }
    const std::string probe = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const auto probeBefore = findProfileValue(text, "clock", probe);
    const auto batch = applyProfileWrites(text, section, entries);
    // A batch is the same as writing its keys one after the other.
    std::optional<std::string> stepwise = text;
    for (const auto& entry : entries) {
        if (stepwise) {
            stepwise = applyProfileWrites(*stepwise, section, {entry});
        }
    }
    require(batch == stepwise);
    if (!batch) {
        return 0;
    }
    bool probeWritten = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bool overwritten = false;
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            overwritten = overwritten || sameName(entries[i].first, entries[j].first);
        }
        if (!overwritten) {
            const auto found = findProfileValue(*batch, section, entries[i].first);
            const std::string written = profileValueText(entries[i].second);
            require(found.has_value() && *found == readBack(written));
        }
        probeWritten = probeWritten || sameName(entries[i].first, probe);
    }
    if (!(sameName(section, "clock") && probeWritten)) {
        require(findProfileValue(*batch, "clock", probe) == probeBefore);
    }
    // Writing the same again changes nothing.
    require(applyProfileWrites(*batch, section, entries) == batch);
    return 0;
}
