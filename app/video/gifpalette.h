#pragma once
// The GIF's colours, by libavfilter: palettegen gathers the colours of every distinct picture of
// the run (a face with at most 256 colours keeps each of them exactly), and paletteuse maps each
// picture onto that palette afterwards.
#include <string>

#include <QImage>

#include "video/ffmpegtools.h"

namespace dw::video {

class GifPalette {
public:
    // A palettegen graph for pictures of width x height. Error text on failure.
    std::string open(int width, int height);
    // Counts the colours of a picture (Format_RGB32). Error text on failure.
    std::string add(const QImage& picture);
    // Ends the counting and gives the palette (a 16 x 16 frame of 256 colours); null with the
    // error text set on failure.
    FramePtr finish(std::string* error);

private:
    FilterGraphPtr mGraph;
    AVFilterContext* mSource = nullptr;
    AVFilterContext* mSink = nullptr;
    std::int64_t mNext = 0;
};

class GifMapper {
public:
    // A paletteuse graph for pictures of width x height onto `palette`. Error text on failure.
    std::string open(int width, int height, const AVFrame& palette);
    // The picture in the palette's colours (PAL8); null with the error text set on failure.
    FramePtr map(const QImage& picture, std::string* error);

private:
    FilterGraphPtr mGraph;
    AVFilterContext* mSource = nullptr;
    AVFilterContext* mPalette = nullptr;
    AVFilterContext* mSink = nullptr;
    std::int64_t mNext = 0;
};

} // namespace dw::video
