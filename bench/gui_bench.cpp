// The main window's drawing and the whole Encrypt command, run offscreen.

#include "imaging/BmpImage.h"
#include "princip/ShareFrame.h"
#include "shell/Interaction.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using lumisplit::CShareFrame;

// Answers nothing and counts messages: a benchmark that shows one has failed.
class SilentInteraction final : public lumisplit::CInteraction {
public:
    void ShowMessage(QWidget*, const QString& text, const QString&) override { last = text; }
    std::optional<QString> AskFile(QWidget*, const lumisplit::FileRequest&) override {
        return std::nullopt;
    }
    bool RunDialog(QDialog&) override { return false; }
    bool StartDetached(const QString&, const QStringList&) override { return false; }
    QString last;
};

// A random black-and-white picture in the current folder.
QString WriteNoise(const char* name, int width, int height) {
    lumisplit::CBmpImage image(name, height, width);
    std::mt19937 bits(42);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            image.SetPixelBW(r, c, static_cast<int>(bits() & 1U));
    image.Write();
    return QDir::current().absoluteFilePath(QString::fromLatin1(name));
}

void ShowOnly(CShareFrame& frame, const QString& path) {
    frame.OnCloseAll();
    frame.ImageSelector().setCurrentIndex(frame.RegisterImageName(path, path));
    frame.ShowSelectedImage();
}

void BM_ShowSelectedImage(benchmark::State& state) {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    SilentInteraction ui;
    CShareFrame frame(ui);
    ShowOnly(frame, WriteNoise("picture.bmp", 1024, 768));
    for (auto _ : state)
        frame.ShowSelectedImage();
    if (!ui.last.isEmpty())
        state.SkipWithError(ui.last.toUtf8().constData());
}
BENCHMARK(BM_ShowSelectedImage)->Unit(benchmark::kMillisecond);

// Default scheme (2,2) and method (random basis column), from the built shares
// to the first one read back and drawn.
void BM_EncryptCommand(benchmark::State& state) {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    SilentInteraction ui;
    CShareFrame frame(ui);
    const QString secret = WriteNoise("secret.bmp", 2048, 2048);
    for (auto _ : state) {
        state.PauseTiming();
        ShowOnly(frame, secret);
        ui.last.clear();
        state.ResumeTiming();
        frame.OnEncrypt();
    }
    if (!ui.last.startsWith(QStringLiteral("Imagen ENCRIPTADA")))
        state.SkipWithError(ui.last.toUtf8().constData());
}
BENCHMARK(BM_EncryptCommand)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
