// Starts a program under the X display in $DISPLAY and measures one start of it:
//   the time from just before the process is created to the map of its first top-level window,
//   the resident memory one second after that, and, with --idle SECONDS, the CPU time all its
//   threads use over that many idle seconds as a percentage of one core.
// Each start gets fresh, empty XDG_CONFIG_HOME and XDG_RUNTIME_DIR folders, so that saved
// settings and a single-copy lock of another run cannot change the result. With --data-from
// FOLDER it also gets a fresh copy of FOLDER as XDG_DATA_HOME: a start with the user's data
// (a database of profiles) already there.
// Prints one line: map_ms=<ms> rss_kib=<KiB> [cpu_pct=<percent>]
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

[[noreturn]] void die(const std::string& message)
{
    std::fprintf(stderr, "startup-probe: %s\n", message.c_str());
    std::exit(2);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    if (!reply)
        die(std::string("cannot intern ") + name);
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

// The _NET_WM_PID of a window, or 0.
pid_t windowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    pid_t pid = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

long rssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Processor time of all the process's threads in nanoseconds, from the scheduler's own
// account (/proc/PID/task/TID/schedstat): utime and stime count whole clock ticks, too coarse
// for a program that should use a fraction of a percent.
long long cpuNs(pid_t pid)
{
    long long total = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream stat(task.path() / "schedstat");
        long long ns = 0;
        if (stat >> ns)
            total += ns;
    }
    return error ? -1 : total;
}

void sleepMs(long ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

std::string makeTempDir(const char* tag)
{
    std::string pattern = std::string("/tmp/startup-probe-") + tag + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        die("cannot create a temporary folder");
    return buffer.data();
}

} // namespace

int main(int argc, char* argv[])
{
    int idleSeconds = 0;
    int timeoutMs = 30000;
    std::string dataFrom;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; ++arg) {
        if (std::strcmp(argv[arg], "--idle") == 0 && arg + 1 < argc)
            idleSeconds = std::atoi(argv[++arg]);
        else if (std::strcmp(argv[arg], "--timeout") == 0 && arg + 1 < argc)
            timeoutMs = std::atoi(argv[++arg]) * 1000;
        else if (std::strcmp(argv[arg], "--data-from") == 0 && arg + 1 < argc)
            dataFrom = argv[++arg];
        else
            die("usage: startup-probe [--idle SECONDS] [--timeout SECONDS] [--data-from FOLDER] "
                "PROGRAM [ARGS...]");
    }
    if (arg >= argc)
        die("no program given");

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        die("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    xcb_flush(c);

    const std::string config = makeTempDir("config");
    const std::string runtime = makeTempDir("runtime"); // mkdtemp gives 0700, as required
    std::string data;
    if (!dataFrom.empty()) {
        data = makeTempDir("data");
        std::error_code error;
        std::filesystem::copy(dataFrom, data, std::filesystem::copy_options::recursive, error);
        if (error)
            die("cannot copy " + dataFrom + ": " + error.message());
    }

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        die("fork failed");
    if (child == 0) {
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        if (!data.empty())
            setenv("XDG_DATA_HOME", data.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execvp(argv[arg], argv + arg);
        _exit(127);
    }

    double mapped = -1;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (mapped < 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect && windowPid(c, map->window, pidAtom) == child)
                    mapped = nowMs();
            }
            std::free(event);
            if (mapped >= 0)
                break;
        }
        if (mapped >= 0)
            break;
        if (xcb_connection_has_error(c))
            die("display connection lost");
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            die("the program ended before showing a window");
        if (nowMs() - start > timeoutMs) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            die("no window within the time-out");
        }
        poll(&pfd, 1, 50);
    }

    sleepMs(1000);
    const long rss = rssKib(child);
    double cpuPct = -1;
    if (idleSeconds > 0) {
        const long long before = cpuNs(child);
        const double from = nowMs();
        sleepMs(idleSeconds * 1000L);
        const long long after = cpuNs(child);
        const double ms = nowMs() - from;
        cpuPct = 100.0 * (after - before) / 1e6 / ms;
    }

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    std::filesystem::remove_all(runtime, ignored);
    if (!data.empty())
        std::filesystem::remove_all(data, ignored);

    std::printf("map_ms=%.1f rss_kib=%ld", mapped - start, rss);
    if (cpuPct >= 0)
        std::printf(" cpu_pct=%.3f", cpuPct);
    std::printf("\n");
    return 0;
}
