// GoogleTest main for widget tests: a QApplication on the offscreen platform, with a private
// runtime folder of mode 0700 as Qt asks for one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtimeDir(QDir::tempPath() + "/dw-shelltest-XXXXXX");
    if (runtimeDir.isValid()) {
        ::chmod(QFile::encodeName(runtimeDir.path()).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
