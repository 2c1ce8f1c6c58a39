// Frames of a normal-mode run as the run composes them: a 640x480 face with line hands, and the
// same face with 256x256 bitmap hands turned by the spinblit component and a top bitmap. Prints
// frames per second, the share of a bitmap frame spent turning hands and laying pictures, and
// last the ratio of each frame's time to restoring the clean face alone (the baseline).
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "benchsupport.h"
#include "design/clockdesign.h"
#include "design/host.h"
#include "design/pictureslots.h"
#include "render/bitmaphands.h"
#include "render/framecomposer.h"
#include "render/handgeometry.h"
#include "render/renderwindowholder.h"

namespace {

using namespace dw;

class QuietHost : public design::Host {
public:
    void showMessage(const std::string& text, design::MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    std::optional<design::FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override {}
    std::uint32_t tickCount() override { return 0; }
    void setStatusText(const std::string&, const std::string&) override {}
    void windowChanged(const std::string&, design::WindowEvent) override {}
};

// Forwards to the real component and adds up the thread CPU time of each operation.
class TimedGdiext : public spinblit::Igdiext {
public:
    explicit TimedGdiext(spinblit::Igdiext* real) : mReal(real) {}
    double rotateSeconds = 0;
    double blitSeconds = 0;

    com::HRESULT QueryInterface(com::REFIID riid, void** ppv) override {
        return mReal->QueryInterface(riid, ppv);
    }
    com::ULONG AddRef() override { return 1; }
    com::ULONG Release() override { return 1; }
    com::HRESULT GetTypeInfoCount(std::uint32_t* n) override { return mReal->GetTypeInfoCount(n); }
    com::HRESULT GetTypeInfo(std::uint32_t i, com::LCID l, com::ITypeInfo** t) override {
        return mReal->GetTypeInfo(i, l, t);
    }
    com::HRESULT GetIDsOfNames(com::REFIID r, const char** n, std::uint32_t c, com::LCID l,
                               com::DISPID* d) override {
        return mReal->GetIDsOfNames(r, n, c, l, d);
    }
    com::HRESULT Invoke(com::DISPID d, com::REFIID r, com::LCID l, std::uint16_t f,
                        com::DISPPARAMS* p, com::VARIANT* v, com::EXCEPINFO* e,
                        std::uint32_t* a) override {
        return mReal->Invoke(d, r, l, f, p, v, e, a);
    }
    com::HRESULT initializeRotation(std::int32_t b, std::int32_t d, std::int32_t w,
                                    std::int32_t h) override {
        return mReal->initializeRotation(b, d, w, h);
    }
    com::HRESULT cleanupRotation() override { return mReal->cleanupRotation(); }
    com::HRESULT rotate(std::int32_t bs, std::int32_t ds, std::int32_t bd, std::int32_t dd,
                        std::int32_t w, std::int32_t h, double theta) override {
        const double start = bench::threadSeconds();
        const com::HRESULT hr = mReal->rotate(bs, ds, bd, dd, w, h, theta);
        rotateSeconds += bench::threadSeconds() - start;
        return hr;
    }
    com::HRESULT transparentBlit(std::int32_t dd, std::int32_t dl, std::int32_t dt, std::int32_t dw,
                                 std::int32_t dh, std::int32_t ds, std::int32_t l, std::int32_t t,
                                 std::int32_t w, std::int32_t h, std::int32_t trans) override {
        const double start = bench::threadSeconds();
        const com::HRESULT hr = mReal->transparentBlit(dd, dl, dt, dw, dh, ds, l, t, w, h, trans);
        blitSeconds += bench::threadSeconds() - start;
        return hr;
    }

private:
    spinblit::Igdiext* mReal;
};

QImage face() {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(0xFF203040);
    QPainter painter(&image);
    painter.setBrush(QColor(0xE0, 0xE0, 0xD0));
    painter.drawEllipse(QPoint(320, 240), 220, 220);
    return image;
}

// An upright hand on a magenta (transparent) square, tapering to the tip.
QImage hand(int length, int width, QRgb colour) {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    QPainter painter(&image);
    painter.fillRect(128 - width / 2, 128 - length, width, length + 12, QColor::fromRgb(colour));
    return image;
}

QImage topCap() {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    QPainter painter(&image);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawEllipse(QPoint(320, 240), 10, 10);
    return image;
}

struct Bench {
    QuietHost host;
    design::ClockDesign design;
    render::HandGeometry geometry;
    std::string folder;
    design::PictureSlots pictures{host, design, folder};
    render::RenderWindowHolder renderWindow{host};
    render::BitmapHands hands;
    render::FrameContext context{design, geometry, pictures, renderWindow, hands};

    explicit Bench(std::string directory) : folder(std::move(directory)) {
        design.centrex = 320;
        design.centrey = 240;
        design.radius = "200";
        design.hw = "7";
        design.mw = "5";
        design.sw = "2";
        design.secondreflection = 1;
        design.fillir = 1;
        design.outlineir = 1;
        design.outlineirw = "2";
        design.bmptopx = 320 - 128;
        design.bmptopy = 240 - 128;
        design.bmptransr = "255", design.bmptransg = "0", design.bmptransb = "255";
        geometry.computeHandTables(design);
        load(design::PictureSlot::Main, face(), "face.bmp");
        pictures.showMainPicture();
        load(design::PictureSlot::Hour, hand(70, 12, 0xFF202020), "hour.bmp");
        load(design::PictureSlot::Minute, hand(105, 8, 0xFF202020), "minute.bmp");
        load(design::PictureSlot::Second, hand(120, 3, 0xFFC03020), "second.bmp");
        load(design::PictureSlot::Top, topCap(), "top.bmp");
    }

    void load(design::PictureSlot slot, const QImage& image, const std::string& name) {
        image.save(QString::fromStdString(folder + name), "BMP");
        pictures.loadPictureSlot(slot, design::slotCaption(slot), true, name);
    }

    // `count` frames of a run from 10:08:42, one step each, as the run loop draws them.
    void frames(render::FrameComposer& composer, int count) {
        const render::MovementOptions options;
        render::HandIndices at = geometry.startIndices(10, 8, 42, options);
        for (int i = 0; i < count; ++i) {
            geometry.advanceTime(at, options, 0);
            composer.drawFrame(at);
        }
    }
};

} // namespace

int main() {
    // The bench build registers its components in its own registry.
    ::setenv("DIALWRIGHT_REGISTRY", DW_BIN_DIR "/../registry.txt", 0);
    char pattern[] = "/tmp/dwbench.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        return 1;
    }
    Bench bench(std::string(pattern) + "/");
    constexpr int kFrames = 240;

    bench.design.chkBitmap = 0;
    render::FrameComposer line(bench.context,
                               *render::readNormalRunSettings(bench.design, bench.host));
    bench.design.chkBitmap = 1;
    render::RotationObject created = render::prepareBitmapHands(bench.context);
    created.release();
    spinblit::Igdiext* real = bench::loadGdiext();
    TimedGdiext timed(real);
    render::FrameComposer bitmap(bench.context,
                                 *render::readNormalRunSettings(bench.design, bench.host),
                                 render::RotationObject::adopt(&timed));

    double bestRestore = 1e300;
    double bestLine = 1e300;
    double bestBitmap = 1e300;
    double rotateShare = 0;
    double blitShare = 0;
    for (int round = 0; round < 5; ++round) {
        double start = bench::threadSeconds();
        for (int i = 0; i < kFrames; ++i) {
            bench.pictures.quickReloadBackground();
        }
        bestRestore = std::min(bestRestore, bench::threadSeconds() - start);
        start = bench::threadSeconds();
        bench.frames(line, kFrames);
        bestLine = std::min(bestLine, bench::threadSeconds() - start);
        bench.hands.resetCachedAngles();
        timed.rotateSeconds = timed.blitSeconds = 0;
        start = bench::threadSeconds();
        bench.frames(bitmap, kFrames);
        const double seconds = bench::threadSeconds() - start;
        if (seconds < bestBitmap) {
            bestBitmap = seconds;
            rotateShare = timed.rotateSeconds / seconds;
            blitShare = timed.blitSeconds / seconds;
        }
    }
    std::printf("line hands   640x480:          %8.0f frames/s\n", kFrames / bestLine);
    std::printf("bitmap hands 640x480, 256x256: %8.0f frames/s (rotation %.0f%%, transparent "
                "copies %.0f%% of the frame time)\n",
                kFrames / bestBitmap, 100 * rotateShare, 100 * blitShare);
    std::printf("face restore alone:            %8.0f frames/s\n", kFrames / bestRestore);
    std::printf("ratio (frame time / face restore time): line %.1fx, bitmap %.1fx\n",
                bestLine / bestRestore, bestBitmap / bestRestore);
    bitmap.releaseRotation();
    real->Release();
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return 0;
}
