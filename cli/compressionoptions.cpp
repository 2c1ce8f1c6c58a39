#include "compressionoptions.h"

#include <algorithm>
#include <cctype>

#include "commandline.h"

namespace dw::cli {

namespace {

std::string folded(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ') {
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return out;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size() + 1), ' ');
    return text;
}

} // namespace

const platform::CompressorInfo* findOffered(const std::vector<platform::CompressorInfo>& offered,
                                            const std::string& codec) {
    const std::string wanted = folded(codec);
    for (const platform::CompressorInfo& info : offered) {
        if (wanted == folded(info.name) || wanted == folded(info.fourcc)) {
            return &info;
        }
    }
    return nullptr;
}

void useCompressionOptions(const Invocation& call) {
    platform::CompressionChoice choice;
    if (const auto codec = call.value("--codec")) {
        const auto offered = platform::offeredCompressors();
        const platform::CompressorInfo* info = findOffered(offered, *codec);
        if (info == nullptr) {
            throw UsageError(call.command, "unknown codec '" + *codec +
                                               "' ('dialwright-cli codecs' lists those on offer)");
        }
        choice.codec = info->name;
    }
    // Both were checked to be whole numbers when the command line was read.
    choice.keyFrameEvery = parseWholeNumber(call.value("--keyframes").value_or("0")).value_or(0);
    choice.dataRateKbps = parseWholeNumber(call.value("--bitrate").value_or("0")).value_or(0);
    platform::setDefaultCompression(choice);
}

std::string compressorTable(const std::vector<platform::CompressorInfo>& offered) {
    std::string table =
        padded("NAME", 14) + padded("FOURCC", 8) + padded("DESCRIPTION", 28) + "SETTINGS\n";
    for (const platform::CompressorInfo& info : offered) {
        std::string settings;
        if (info.takesKeyFrameInterval) {
            settings += "--keyframes";
        }
        if (info.takesDataRate) {
            settings += settings.empty() ? "--bitrate" : " --bitrate";
        }
        table += padded(info.name, 14) + padded(info.fourcc, 8) + padded(info.description, 28) +
                 settings + "\n";
    }
    return table;
}

} // namespace dw::cli
