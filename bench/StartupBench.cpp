// Start-up time of the IDE: from the start of the process to the first paint
// of the main window.
//
//     startup_bench [--runs N] [--grab FILE.png]
//
// The program starts itself N times (default 10) as a child process. Each
// child builds the main window as quorvel does, on a fresh settings store (a
// first start), shows it and reports, on the shared monotonic clock, when it
// reached main(), when QApplication stood, when the frame was built, when the
// first paint event arrived and when that first paint was done. The parent
// takes its own clock reading just before starting the child, so the figures
// include loading the program and its libraries.
//
// Qt runs offscreen unless QT_QPA_PLATFORM says otherwise. With --grab the
// child of the first run saves the painted window as a PNG (run it under
// xvfb-run with QT_QPA_PLATFORM=xcb for a real X server).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "frame/MainWindow.h"
#include "frame/QtPrompt.h"

namespace {

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Notes the first paint event of the main window and the end of that paint.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* window, QString grab) : window_(window), grab_(std::move(grab)) {}

    long long firstPaint = 0;
    long long painted = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && firstPaint == 0 && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == window_) {
            firstPaint = NowNs();
            // Runs once the paint pass that this event belongs to is over.
            QTimer::singleShot(0, this, [this] {
                painted = NowNs();
                if (!grab_.isEmpty()) window_->grab().save(grab_);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* window_;
    QString grab_;
};

int Child(int argc, char** argv, const char* grab) {
    const long long atMain = NowNs();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    QApplication app(argc, argv);
    const long long atApp = NowNs();
    quorvel::QtPrompt prompt;
    quorvel::frmMain frame(prompt);
    prompt.SetOwner(&frame);
    const long long atFrame = NowNs();

    PaintWatch watch(&frame, grab ? QString::fromLocal8Bit(grab) : QString());
    app.installEventFilter(&watch);
    frame.show();
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%lld %lld %lld %lld %lld\n", atMain, atApp, atFrame, watch.firstPaint, watch.painted);
    return watch.painted ? 0 : 1;
}

struct Run {
    double main, app, frame, firstPaint, painted; // milliseconds after the parent's start
};

bool RunChild(const char* self, const char* grab, Run& run) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const long long start = NowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        setenv("QUORVEL_STARTUP_CHILD", grab ? grab : "", 1);
        execl(self, self, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long t[5] = {};
    const std::string last = out.substr(out.find_last_of('\n', out.size() - 2) == std::string::npos
                                            ? 0
                                            : out.find_last_of('\n', out.size() - 2) + 1);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(last.c_str(), "%lld %lld %lld %lld %lld", &t[0], &t[1], &t[2], &t[3], &t[4]) != 5)
        return false;
    auto ms = [start](long long at) { return static_cast<double>(at - start) / 1e6; };
    run = {ms(t[0]), ms(t[1]), ms(t[2]), ms(t[3]), ms(t[4])};
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (const char* grab = std::getenv("QUORVEL_STARTUP_CHILD"))
        return Child(argc, argv, *grab ? grab : nullptr);

    int runs = 10;
    const char* grab = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--grab") && i + 1 < argc)
            grab = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--grab FILE.png]\n", argv[0]);
            return 2;
        }
    }

    std::vector<Run> results;
    for (int i = 0; i < runs; ++i) {
        Run run{};
        if (!RunChild("/proc/self/exe", i == 0 ? grab : nullptr, run)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        results.push_back(run);
        std::printf("run %2d: main %6.1f  QApplication %6.1f  frame built %6.1f  first paint %6.1f  painted "
                    "%6.1f ms\n",
                    i + 1, run.main, run.app, run.frame, run.firstPaint, run.painted);
    }
    std::vector<double> painted;
    for (const Run& r : results)
        painted.push_back(r.painted);
    std::printf("process start to painted main window: min %.1f ms, median %.1f ms, max %.1f ms (%d runs)\n",
                *std::min_element(painted.begin(), painted.end()), Median(painted),
                *std::max_element(painted.begin(), painted.end()), runs);
    if (grab) std::printf("first run's window saved to %s\n", grab);
    return 0;
}
