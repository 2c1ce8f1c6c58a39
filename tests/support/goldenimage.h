#pragma once
// Reference pictures for tests: a rendered picture is compared pixel for pixel with the PNG under
// tests/data/golden/<design>/<picture>.png, or, with DW_UPDATE_GOLDEN=1 in the environment,
// written there (review the pictures before committing). A failing comparison leaves the picture
// it got under <build>/golden-actual/<design>/.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace dw::testing {

inline bool updating() {
    const char* update = std::getenv("DW_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

inline std::string goldenFile(const std::string& design, const std::string& picture) {
    return std::string(DW_TEST_DATA_DIR) + "/golden/" + design + "/" + picture + ".png";
}

inline std::string actualFile(const std::string& design, const std::string& picture) {
    return std::string(DW_BIN_DIR) + "/../golden-actual/" + design + "/" + picture + ".png";
}

inline void save(const QImage& image, const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
}

// Empty when the two pictures agree in size and every pixel; otherwise what differs.
inline std::string difference(const QImage& expected, const QImage& actual) {
    if (expected.size() != actual.size()) {
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
               ", expected " + std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    }
    int count = 0;
    std::string first;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if ((expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF)) {
                if (count++ == 0) {
                    first = " (first at " + std::to_string(x) + "," + std::to_string(y) + ")";
                }
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ" + first;
}

// Checks a rendered picture against its reference, or rewrites the reference when updating.
inline void expectGolden(const QImage& rendered, const std::string& design, const std::string& picture) {
    ASSERT_FALSE(rendered.isNull());
    const QImage image = rendered.convertToFormat(QImage::Format_RGB32);
    const std::string reference = goldenFile(design, picture);
    if (updating()) {
        save(image, reference);
        return;
    }
    const QImage expected(QString::fromStdString(reference));
    ASSERT_FALSE(expected.isNull())
        << reference << " is missing; make it with DW_UPDATE_GOLDEN=1 and review it";
    const std::string diff = difference(expected.convertToFormat(QImage::Format_RGB32), image);
    if (!diff.empty()) {
        save(image, actualFile(design, picture));
    }
    EXPECT_EQ(diff, "") << design << " " << picture << ": got " << actualFile(design, picture);
}

} // namespace dw::testing
