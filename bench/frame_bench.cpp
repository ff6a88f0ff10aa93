// What one frame of the clock costs, and what starting the renderer costs, measured on real surfaces with
// the system's own OpenGL (Mesa's llvmpipe here). Frames are timed on shown windows, so that each includes
// the buffer swap, and are set against a bare frame (clear, finish, swap) on the same context and size. The
// globe list is timed alone as well, because it uploads its 512 × 512 texture again every time it is called.
//
// Run on a display larger than the largest frame size, e.g.:
//   scripts/with-display.sh --size 2560x1600 <build>/bin/frame_bench
// Prints figures only; it judges nothing.
#include "platform/gl.h"
#include "platform/qt_surface.h"
#include "render/copengl.h"
#include "render/drawinghost.h"
#include "scene/displaylists.h"
#include "scene/sshape.h"
#include "scene/texture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct FrameSize {
    int width;
    int height;
};

// The drawing surface of the program at its design size, and a full-HD surface.
constexpr FrameSize kFrameSizes[] = {{349, 338}, {1920, 1080}};

std::string sizeName(FrameSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// A native OpenGL window offered to the renderer the way the program's picture box offers itself.
class BenchSurface : public IDrawingHost {
  public:
    explicit BenchSurface(FrameSize size) {
        window.setTitle(QStringLiteral("Viduzirivo frame_bench"));
        window.resize(size.width, size.height);
    }

    void SetScaleMode(int /*mode*/) override {}
    HDC hDC() override { return &window; }

    // Maps the window and waits until the display exposes it, so that swaps really present.
    bool ShowAndWait() {
        window.setPosition(0, 0);
        window.show();
        QDeadlineTimer deadline(10000);
        while (!window.isExposed() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        // Let the window manager settle the geometry before the first timed frame.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 200) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return window.isExposed();
    }

    FrameSize PixelSize() const {
        const qreal ratio = window.devicePixelRatio();
        return {static_cast<int>(window.width() * ratio), static_cast<int>(window.height() * ratio)};
    }

    DrawingSurface window;
};

// A renderer bound to a shown surface of one size, posed as the program poses it, with its lists built.
struct Rig {
    explicit Rig(FrameSize requested) : surface(requested), renderer(std::make_unique<COpenGL>()) {
        renderer->Initialize(surface);
        dc = surface.hDC();
        rc = QOpenGLContext::currentContext();
        BuildDisplayLists();
        renderer->RotateX(20.0f);
        renderer->TranslateZ(-62.0f);
        exposed = surface.ShowAndWait();
        size = surface.PixelSize();
        if (size.width != requested.width || size.height != requested.height) {
            std::fprintf(stderr, "frame_bench: asked for a %s surface, the display gave %s\n",
                         sizeName(requested).c_str(), sizeName(size).c_str());
        }
        MakeCurrent();
        renderer->Resize(size.width, size.height);
    }

    void MakeCurrent() const { wglMakeCurrent(dc, rc); }

    BenchSurface surface;
    std::unique_ptr<COpenGL> renderer; // declared after the surface: goes before it
    HDC dc = nullptr;
    HGLRC rc = nullptr;
    FrameSize size{};
    bool exposed = false;
};

std::map<std::string, std::unique_ptr<Rig>>& rigs() {
    static std::map<std::string, std::unique_ptr<Rig>> all;
    return all;
}

// The rig of one size, built on first use and kept for the run; its context is made current.
Rig& rigFor(FrameSize size) {
    auto& slot = rigs()[sizeName(size)];
    if (!slot) {
        slot = std::make_unique<Rig>(size);
    }
    slot->MakeCurrent();
    return *slot;
}

bool usableRig(benchmark::State& state, const Rig& rig) {
    if (!rig.exposed) {
        state.SkipWithError("the window was never exposed, so its swaps would not present");
        return false;
    }
    state.SetLabel(sizeName(rig.size));
    return true;
}

void setFrameRate(benchmark::State& state) {
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// One whole frame as the repaint timer draws it: material, clear, matrices, lists, finish, swap.
void paintFrame(benchmark::State& state, FrameSize size) {
    Rig& rig = rigFor(size);
    if (!usableRig(state, rig)) {
        return;
    }
    for (auto _ : state) {
        rig.renderer->Paint();
    }
    setFrameRate(state);
}

// The least a frame can be on the same context and surface: clear, finish, swap.
void bareFrame(benchmark::State& state, FrameSize size) {
    Rig& rig = rigFor(size);
    if (!usableRig(state, rig)) {
        return;
    }
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        SwapBuffers(rig.dc);
    }
    setFrameRate(state);
}

// One display list called and finished alone, in the pose of the last frame, on a freshly cleared buffer
// (the clear itself is not timed), as it runs inside a frame.
void callList(benchmark::State& state, FrameSize size, unsigned list) {
    Rig& rig = rigFor(size);
    if (!usableRig(state, rig)) {
        return;
    }
    rig.renderer->Paint(); // leaves the model-view matrix of a frame
    for (auto _ : state) {
        state.PauseTiming();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        state.ResumeTiming();
        glCallList(list);
        glFinish();
    }
}

// The texture upload that list 10 carries, on its own: the part of the globe that does not depend on
// the frame size.
void textureUpload(benchmark::State& state, FrameSize size) {
    Rig& rig = rigFor(size);
    if (!usableRig(state, rig)) {
        return;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (auto _ : state) {
        glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSize, kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     &TextureImage[0][0][0]);
        glFinish();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kTextureBytes));
}

// Start-up: reading the globe image.
void loadTexture(benchmark::State& state) {
    for (auto _ : state) {
        LoadTexture();
        benchmark::DoNotOptimize(TextureImage[0][0][0]);
    }
}

// Start-up: recording every display list (image read included) into a context whose lists were deleted.
void buildDisplayLists(benchmark::State& state) {
    Rig& rig = rigFor(kFrameSizes[0]);
    (void)rig;
    for (auto _ : state) {
        state.PauseTiming();
        glDeleteLists(DisplayList::kFace, DisplayList::kGlobe - DisplayList::kFace + 1);
        glFinish();
        state.ResumeTiming();
        BuildDisplayLists();
        glFinish();
    }
}

// Start-up: what the program does before its window first shows: a hidden surface, the renderer bound to
// it, the lists, and the first frame at the design size (drawn, not presented, as the window is not yet
// shown). A new context each time, so the driver's first-use work is counted too.
void rendererStartup(benchmark::State& state) {
    for (auto _ : state) {
        auto surface = std::make_unique<BenchSurface>(kFrameSizes[0]);
        auto renderer = std::make_unique<COpenGL>();
        renderer->Initialize(*surface);
        renderer->Resize(kFrameSizes[0].width, kFrameSizes[0].height);
        BuildDisplayLists();
        renderer->Paint();
        state.PauseTiming();
        renderer.reset();
        surface.reset();
        state.ResumeTiming();
    }
}

// Passes the runs on to the console and keeps the real time per iteration of every repetition, so that the
// summary can set medians against each other.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    CollectingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& reports) override {
        std::vector<Run> shown;
        for (const Run& run : reports) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                m_seconds[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                                static_cast<double>(run.iterations));
            }
            // With repetitions the console shows the aggregates; the single runs feed the summary's medians.
            if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1 || run.error_occurred) {
                shown.push_back(run);
            }
        }
        if (!shown.empty()) {
            ConsoleReporter::ReportRuns(shown);
        }
    }

    // Median real seconds per iteration, or a negative value when the benchmark did not run.
    double Median(const std::string& name) const {
        auto found = m_seconds.find(name);
        if (found == m_seconds.end() || found->second.empty()) {
            return -1.0;
        }
        std::vector<double> values = found->second;
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    }

    // The most repetitions any benchmark had.
    std::size_t Repetitions() const {
        std::size_t most = 0;
        for (const auto& [name, values] : m_seconds) {
            most = std::max(most, values.size());
        }
        return most;
    }

  private:
    std::map<std::string, std::vector<double>> m_seconds;
};

std::string milliseconds(double seconds) {
    if (seconds < 0.0) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%.3f ms", seconds * 1e3);
    return text;
}

// "a = NN% of whole", or "n/a" when either was not measured.
std::string share(double part, double whole) {
    if (part < 0.0 || whole <= 0.0) {
        return milliseconds(part);
    }
    char text[64];
    std::snprintf(text, sizeof(text), "%.3f ms = %.0f%%", part * 1e3, 100.0 * part / whole);
    return text;
}

std::string ratio(double frame, double bare) {
    if (frame <= 0.0 || bare <= 0.0) {
        return "n/a";
    }
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f", frame / bare);
    return text;
}

void printSummary(const CollectingReporter& reporter) {
    std::printf("\nSummary (median real time per iteration over %zu repetitions)\n", reporter.Repetitions());
    for (FrameSize size : kFrameSizes) {
        const std::string name = sizeName(size);
        const double paint = reporter.Median("Frame/Paint/" + name);
        const double bare = reporter.Median("Frame/Bare/" + name);
        if (paint < 0.0 && bare < 0.0) {
            continue;
        }
        std::printf("  %-9s Paint %s, bare frame %s, Paint/bare %s\n", name.c_str(),
                    milliseconds(paint).c_str(), milliseconds(bare).c_str(), ratio(paint, bare).c_str());
        std::printf("  %-9s of Paint: list 10 (globe) %s, its texture upload alone %s, list 1 (face) %s\n",
                    "", share(reporter.Median("Frame/List10/" + name), paint).c_str(),
                    share(reporter.Median("Frame/TextureUpload/" + name), paint).c_str(),
                    share(reporter.Median("Frame/List1/" + name), paint).c_str());
    }
    std::printf("  start-up  LoadTexture %s, BuildDisplayLists %s, renderer up to its first frame %s\n",
                milliseconds(reporter.Median("Startup/LoadTexture")).c_str(),
                milliseconds(reporter.Median("Startup/BuildDisplayLists")).c_str(),
                milliseconds(reporter.Median("Startup/Renderer")).c_str());
}

void registerBenchmarks() {
    for (FrameSize size : kFrameSizes) {
        const std::string name = sizeName(size);
        benchmark::RegisterBenchmark(("Frame/Paint/" + name).c_str(), paintFrame, size)->UseRealTime();
        benchmark::RegisterBenchmark(("Frame/Bare/" + name).c_str(), bareFrame, size)->UseRealTime();
        benchmark::RegisterBenchmark(("Frame/List10/" + name).c_str(), callList, size, DisplayList::kGlobe)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Frame/List1/" + name).c_str(), callList, size, DisplayList::kFace)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Frame/TextureUpload/" + name).c_str(), textureUpload, size)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("Startup/LoadTexture", loadTexture)->UseRealTime();
    benchmark::RegisterBenchmark("Startup/BuildDisplayLists", buildDisplayLists)->UseRealTime();
    benchmark::RegisterBenchmark("Startup/Renderer", rendererStartup)->UseRealTime();
}

} // namespace

int main(int argc, char* argv[]) {
    // Defaults that the command line can override: later flags win.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string warmUp = "--benchmark_min_warmup_time=0.2";
    std::string unit = "--benchmark_time_unit=us";
    args.insert(args.begin() + 1, {repetitions.data(), warmUp.data(), unit.data()});
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    QGuiApplication application(count, args.data());
    // The renderer reads the globe image from the current directory: the folder of this executable, where
    // the build puts Earth.RAS.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    if (!QFileInfo::exists(QStringLiteral("Earth.RAS"))) {
        std::fprintf(stderr, "frame_bench: no Earth.RAS beside %s\n",
                     qPrintable(QCoreApplication::applicationFilePath()));
        return 1;
    }

    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    registerBenchmarks();
    {
        // The renderer of the first rig names the driver for the context lines of the report.
        Rig& rig = rigFor(kFrameSizes[0]);
        (void)rig;
        benchmark::AddCustomContext("GL_RENDERER", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        benchmark::AddCustomContext("GL_VERSION", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
        benchmark::AddCustomContext("QT_QPA_PLATFORM", qPrintable(QGuiApplication::platformName()));
    }

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    rigs().clear();
    return 0;
}
