#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

#include <benchmark/benchmark.h>

// Start-up of the whole process as a user meets it: from starting the
// program to its main window being viewable on a real X server. QntCalc is
// measured side by side with a bare Qt Widgets window of eight tabs, the
// floor that no Qt program goes below; their ratio is what start-up work
// costs. Needs an X server (Xvfb and a window manager will do), so it is
// never run by ctest.

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(10);
constexpr int kDefaultRepetitions = 7;

std::filesystem::path gRunDir;

// A started program, killed once measured: nothing it would save matters.
class Child {
public:
    explicit Child(const char* program) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, gRunDir.c_str());
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(program), nullptr};
        if (posix_spawn(&pid_, program, &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t Pid() const { return pid_; }

    // The exit status once the program has ended by itself.
    std::optional<int> Ended() {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_)
            return std::nullopt;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
};

// Watches the X server for the top-level windows of one process.
class WindowWatch {
public:
    static std::unique_ptr<WindowWatch> Connect() {
        int screenNumber = 0;
        xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            return nullptr;
        }
        return std::unique_ptr<WindowWatch>(new WindowWatch(connection, screenNumber));
    }

    ~WindowWatch() { xcb_disconnect(connection_); }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    // Forgets what earlier runs left in the queue.
    void Drain() {
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            free(event);
    }

    // When the first window of `pid` that is no dialog became viewable, or
    // an error text.
    std::optional<Clock::time_point> WaitForMainWindow(Child& child, std::string& error) {
        const Clock::time_point deadline = Clock::now() + kTimeout;
        std::vector<xcb_window_t> shown;
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        for (;;) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                if (xcb_connection_has_error(connection_)) {
                    error = "lost the connection to the X server";
                    return std::nullopt;
                }
                if (const std::optional<int> status = child.Ended()) {
                    error = "exited with status " + std::to_string(*status) +
                            " before its main window was mapped";
                    return std::nullopt;
                }
                if (Clock::now() > deadline) {
                    error = "mapped no main window within 10 s (is a message box in the way?)";
                    return std::nullopt;
                }
                poll(&fd, 1, 20);
                continue;
            }
            const Clock::time_point now = Clock::now();
            const std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
            switch (event->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                // A window manager reparents the window into its frame, and
                // its map is then reported to the frame's watchers only.
                if (created->parent == root_ && !created->override_redirect) {
                    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(connection_, created->window, XCB_CW_EVENT_MASK,
                                                 &mask);
                    xcb_flush(connection_);
                }
                break;
            }
            case XCB_MAP_NOTIFY: {
                // Either the program's window or, later, its frame.
                const xcb_window_t window =
                    reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                if (std::find(shown.begin(), shown.end(), window) == shown.end() &&
                    IsMainWindowOf(window, child.Pid()))
                    shown.push_back(window);
                for (xcb_window_t candidate : shown) {
                    if (IsViewable(candidate))
                        return now;
                }
                break;
            }
            default:
                break;
            }
        }
    }

private:
    WindowWatch(xcb_connection_t* connection, int screenNumber) : connection_(connection) {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&screens);
        root_ = screens.data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        if (atom)
            netWmPid_ = atom->atom;
        free(atom);
    }

    bool IsMainWindowOf(xcb_window_t window, pid_t pid) {
        const xcb_get_property_cookie_t pidCookie =
            xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1);
        const xcb_get_property_cookie_t transientCookie = xcb_get_property(
            connection_, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1);
        xcb_get_property_reply_t* pidReply =
            xcb_get_property_reply(connection_, pidCookie, nullptr);
        xcb_get_property_reply_t* transientReply =
            xcb_get_property_reply(connection_, transientCookie, nullptr);
        const bool ours =
            pidReply && xcb_get_property_value_length(pidReply) == 4 &&
            *static_cast<uint32_t*>(xcb_get_property_value(pidReply)) == static_cast<uint32_t>(pid);
        const bool dialog = transientReply && xcb_get_property_value_length(transientReply) > 0;
        free(pidReply);
        free(transientReply);
        return ours && !dialog;
    }

    bool IsViewable(xcb_window_t window) {
        xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        free(reply);
        return viewable;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t netWmPid_ = XCB_NONE;
};

WindowWatch* gWatch = nullptr;
// Milliseconds of every measured pair, for the closing summary.
std::vector<double> gQntCalcMs;
std::vector<double> gBareMs;
// Once a program failed, the remaining repetitions fail at once, not after
// another timeout each.
std::string gFailure;

// Milliseconds from start to the main window, or an error text.
std::optional<double> TimeToMainWindow(const char* program, std::string& error) {
    // Every run reads the same settings; a first start would stop at a message box.
    std::filesystem::copy_file(QNTCALC_STARTUP_SETTINGS, gRunDir / "QntCalc.ini",
                               std::filesystem::copy_options::overwrite_existing);
    gWatch->Drain();
    const Clock::time_point start = Clock::now();
    Child child(program);
    if (child.Pid() < 0) {
        error = std::string("cannot start ") + program;
        return std::nullopt;
    }
    const std::optional<Clock::time_point> mapped = gWatch->WaitForMainWindow(child, error);
    if (!mapped) {
        error = std::string(program) + ": " + error;
        return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(*mapped - start).count();
}

void BM_StartupToMainWindow(benchmark::State& state) {
    static bool warm = false;
    static int round = 0;
    std::string& error = gFailure;
    // The first start of each reads its libraries from disk.
    if (error.empty() && !warm && TimeToMainWindow(QNTCALC_STARTUP_BARE, error) &&
        TimeToMainWindow(QNTCALC_STARTUP_QNTCALC, error))
        warm = true;
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    double qntcalcMs = 0;
    double bareMs = 0;
    for (auto _ : state) {
        // Alternately first, so that neither always finds the caches the
        // other has just warmed.
        const bool bareFirst = round++ % 2 == 0;
        std::optional<double> first =
            TimeToMainWindow(bareFirst ? QNTCALC_STARTUP_BARE : QNTCALC_STARTUP_QNTCALC, error);
        std::optional<double> second =
            first ? TimeToMainWindow(bareFirst ? QNTCALC_STARTUP_QNTCALC : QNTCALC_STARTUP_BARE,
                                     error)
                  : std::nullopt;
        if (!second) {
            state.SkipWithError(error.c_str());
            break;
        }
        if (!bareFirst)
            std::swap(first, second);
        bareMs = *first;
        qntcalcMs = *second;
        gBareMs.push_back(bareMs);
        gQntCalcMs.push_back(qntcalcMs);
        state.SetIterationTime(qntcalcMs / 1000.0);
    }
    if (bareMs > 0) {
        state.counters["QntCalc_ms"] = qntcalcMs;
        state.counters["BareQt_ms"] = bareMs;
        state.counters["ratio"] = qntcalcMs / bareMs;
    }
}
// One side-by-side pair per repetition; the median row holds the median of
// each program and of the pairs' ratios.
BENCHMARK(BM_StartupToMainWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<WindowWatch> watch = WindowWatch::Connect();
    if (!watch) {
        const char* display = std::getenv("DISPLAY");
        std::printf("startup_bench: skipped, no X server at DISPLAY=\"%s\". Run it under one, "
                    "e.g.:\n  Xvfb :13 & DISPLAY=:13 openbox & DISPLAY=:13 %s\n",
                    display ? display : "", argv[0]);
        return 0;
    }
    gWatch = watch.get();
    // The programs must come up on this server, whatever the caller's tests use.
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    std::string dir = (std::filesystem::temp_directory_path() / "qntcalc-startup-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("startup_bench: mkdtemp");
        return 1;
    }
    gRunDir = dir;

    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=" + std::to_string(kDefaultRepetitions);
    if (std::none_of(args.begin(), args.end(), [](const char* arg) {
            return std::string(arg).rfind("--benchmark_repetitions", 0) == 0;
        }))
        args.insert(args.begin() + 1, repetitions.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gFailure.empty() && !gQntCalcMs.empty()) {
        const double qntcalc = Median(gQntCalcMs);
        const double bare = Median(gBareMs);
        std::printf(
            "Start-up to the main window, medians of %zu side-by-side runs: QntCalc %.1f ms, "
            "bare Qt window %.1f ms, ratio %.2f\n",
            gQntCalcMs.size(), qntcalc, bare, qntcalc / bare);
    }
    std::error_code ignored;
    std::filesystem::remove_all(gRunDir, ignored);
    return gFailure.empty() ? 0 : 1;
}
