#pragma once
// The compressors this library knows, and how each one is set up.
#include <string_view>
#include <vector>

#include "dw/platform/compressiondialog.h"

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace dw::avifile {

struct CodecRecipe {
    const char* name;
    const char* fourcc;
    const char* encoderName; // libavcodec's encoder; null: frames are stored as they come
    AVPixelFormat pixelFormat;
    const char* description;
    bool takesKeyFrameInterval;
    bool takesDataRate;
    int fixedQuantiser; // used when no data rate is chosen; 0: the encoder's own default
};

namespace detail {

// The recipe a choice names (name or FourCC, any case, blanks ignored; empty is uncompressed);
// null for a name this library does not know.
const CodecRecipe* findRecipe(std::string_view codec);

// True when libavcodec on this machine has the recipe's encoder.
bool encoderAvailable(const CodecRecipe& recipe);

// Every known recipe, uncompressed first.
const std::vector<CodecRecipe>& allRecipes();

} // namespace detail
} // namespace dw::avifile
