#include "codeccatalog.h"

#include <cctype>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace dw::avifile::detail {

const std::vector<CodecRecipe>& allRecipes() {
    static const std::vector<CodecRecipe> recipes = {
        {"uncompressed", "DIB ", nullptr, AV_PIX_FMT_BGR24, "Full frames (uncompressed)", false,
         false, 0},
        {"mjpeg", "MJPG", "mjpeg", AV_PIX_FMT_YUV420P, "Motion JPEG", false, true, 3},
        {"ffv1", "FFV1", "ffv1", AV_PIX_FMT_BGR0, "FFV1 (lossless)", true, false, 0},
        {"mpeg4", "FMP4", "mpeg4", AV_PIX_FMT_YUV420P, "MPEG-4 Part 2", true, true, 3},
        {"h264", "H264", "libx264", AV_PIX_FMT_YUV420P, "H.264 (x264)", true, true, 0},
    };
    return recipes;
}

namespace {

std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') {
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return out;
}

} // namespace

const CodecRecipe* findRecipe(std::string_view codec) {
    const std::string wanted = folded(codec);
    for (const CodecRecipe& r : allRecipes()) {
        if (wanted == folded(r.name) || wanted == folded(r.fourcc) ||
            (wanted.empty() && r.encoderName == nullptr)) {
            return &r;
        }
    }
    return nullptr;
}

bool encoderAvailable(const CodecRecipe& recipe) {
    return recipe.encoderName == nullptr ||
           avcodec_find_encoder_by_name(recipe.encoderName) != nullptr;
}

} // namespace dw::avifile::detail
