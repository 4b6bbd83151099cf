#include "support/ProcessRunner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

namespace {

std::vector<char*> arguments(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return args;
}

int exitStatus(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Reads both descriptors to their ends while writing the input pieces, so
// that no side waits on a full pipe.
void pump(int inFd, const std::vector<const std::string*>& input, int outFd, std::string& out, int errFd,
          std::string& err)
{
    std::size_t piece = 0, written = 0;
    auto skipDone = [&] {
        while (piece < input.size() && written == input[piece]->size()) {
            ++piece;
            written = 0;
        }
    };
    skipDone();
    if (inFd >= 0 && piece == input.size()) {
        close(inFd);
        inFd = -1;
    }
    while (outFd >= 0 || errFd >= 0 || inFd >= 0) {
        pollfd fds[3];
        int n = 0;
        int outIndex = -1, errIndex = -1, inIndex = -1;
        if (outFd >= 0) {
            fds[n] = {outFd, POLLIN, 0};
            outIndex = n++;
        }
        if (errFd >= 0) {
            fds[n] = {errFd, POLLIN, 0};
            errIndex = n++;
        }
        if (inFd >= 0) {
            fds[n] = {inFd, POLLOUT, 0};
            inIndex = n++;
        }
        // A program may stay silent for long (a large classification); the
        // test's own time limit ends a run that hangs.
        int ready = poll(fds, n, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[65536];
        for (int* fd : {&outFd, &errFd}) {
            int index = fd == &outFd ? outIndex : errIndex;
            if (index < 0 || fds[index].revents == 0)
                continue;
            ssize_t r = read(*fd, buffer, sizeof(buffer));
            if (r > 0) {
                (fd == &outFd ? out : err).append(buffer, r);
            } else if (r == 0 || errno != EINTR) {
                close(*fd);
                *fd = -1;
            }
        }
        if (inIndex >= 0 && fds[inIndex].revents) {
            const std::string& text = *input[piece];
            ssize_t w = (fds[inIndex].revents & POLLOUT) ? write(inFd, text.data() + written, text.size() - written)
                                                          : -1;
            if (w > 0)
                written += static_cast<std::size_t>(w);
            skipDone();
            if ((w < 0 && errno != EINTR && errno != EAGAIN) || w == 0 || piece == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0)
        close(inFd);
}

// Opens `path` onto the descriptor `target` in a child; false on failure.
bool redirect(const std::string& path, int flags, int target)
{
    int fd = open(path.c_str(), flags, 0644);
    if (fd < 0 || dup2(fd, target) < 0)
        return false;
    close(fd);
    return true;
}

// Starts a child set up as `setup` says, in which `run` does the rest (it
// must not return), and collects what it writes.
ProcessResult runChild(const ProcessSetup& setup, const std::function<void()>& run)
{
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return {};
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return {};
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        for (int fd : {in[0], in[1], out[0], out[1]})
            close(fd);
        return {};
    }
    std::vector<const std::string*> input;
    std::size_t inputSize = setup.input.size();
    if (!setup.input.empty())
        input.push_back(&setup.input);
    for (const std::string* piece : setup.inputPieces) {
        input.push_back(piece);
        inputSize += piece->size();
    }
    // Large inputs go through in fewer, larger steps.
    if (inputSize > (1 << 16))
        fcntl(in[1], F_SETPIPE_SZ, 1 << 20);
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        // Only calls that are safe between fork and exec in a program with
        // threads; the descriptors duplicated here lose their close-on-exec.
        if (setup.closedInput)
            close(STDIN_FILENO);
        else
            dup2(in[0], STDIN_FILENO);
        if (setup.closedOutput)
            close(STDOUT_FILENO);
        else if (!setup.outputPath.empty()) {
            if (!redirect(setup.outputPath, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO))
                _exit(126);
        } else
            dup2(out[1], STDOUT_FILENO);
        if (!setup.errorPath.empty()) {
            if (!redirect(setup.errorPath, O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO))
                _exit(126);
        } else
            dup2(err[1], STDERR_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            if (fd > STDERR_FILENO)
                close(fd);
        if (!setup.workingDirectory.empty() && chdir(setup.workingDirectory.c_str()) != 0)
            _exit(126);
        if (setup.memoryLimitBytes > 0) {
            rlimit limit{setup.memoryLimitBytes, setup.memoryLimitBytes};
            setrlimit(RLIMIT_AS, &limit);
        }
        if (setup.timeLimitSeconds > 0)
            alarm(setup.timeLimitSeconds);
        run();
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    ProcessResult result;
    if (pid < 0) {
        for (int fd : {in[1], out[0], err[0]})
            close(fd);
        return result;
    }
    pump(setup.closedInput ? (close(in[1]), -1) : in[1], input, out[0], result.out, err[0], result.err);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return result;
    result.status = exitStatus(status);
    return result;
}

}

ProcessResult runProgram(const std::vector<std::string>& argv, const std::string& input, bool closedInput,
                         const std::string& workingDirectory)
{
    ProcessSetup setup;
    setup.input = input;
    setup.closedInput = closedInput;
    setup.workingDirectory = workingDirectory;
    return runProgramWith(argv, setup);
}

ProcessResult runProgramWith(const std::vector<std::string>& argv, const ProcessSetup& setup)
{
    std::vector<char*> args = arguments(argv);
    return runChild(setup, [&args] { execvp(args[0], args.data()); });
}

ProcessResult runInChild(const std::function<int()>& body, const ProcessSetup& setup)
{
    return runChild(setup, [&body] {
        int status = body();
        std::fflush(nullptr);
        _exit(status);
    });
}

ProcessResult runInTerminal(const std::vector<std::string>& argv, const std::string& input)
{
    std::signal(SIGPIPE, SIG_IGN);
    int err[2];
    if (pipe(err) != 0)
        return {};
    std::vector<char*> args = arguments(argv);
    // Echo and output processing are switched off before the program starts,
    // so that nothing typed early comes back on the terminal.
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        close(err[0]);
        close(err[1]);
        return {};
    }
    termios t;
    tcgetattr(slave, &t);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(slave, TCSANOW, &t);
    pid_t pid = fork();
    if (pid == 0) {
        close(master);
        login_tty(slave);
        dup2(err[1], STDERR_FILENO);
        close(err[0]);
        close(err[1]);
        execv(args[0], args.data());
        _exit(127);
    }
    close(slave);
    close(err[1]);
    ProcessResult result;
    if (pid < 0) {
        close(master);
        close(err[0]);
        return result;
    }
    // Type the lines, then the end-of-input character on a line of its own.
    std::string typed = input;
    typed += "\x04";
    std::size_t written = 0;
    bool masterOpen = true, errOpen = true;
    while (masterOpen || errOpen) {
        pollfd fds[2] = {{master, static_cast<short>(POLLIN | (written < typed.size() ? POLLOUT : 0)), 0},
                         {err[0], POLLIN, 0}};
        if (poll(fds, 2, 60000) <= 0)
            break;
        char buffer[65536];
        if (masterOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t r = read(master, buffer, sizeof(buffer));
            if (r > 0)
                result.out.append(buffer, r);
            else
                masterOpen = false;
        }
        if (masterOpen && written < typed.size() && (fds[0].revents & POLLOUT)) {
            std::size_t end = typed.find('\n', written);
            std::size_t chunk = (end == std::string::npos ? typed.size() : end + 1) - written;
            ssize_t w = write(master, typed.data() + written, chunk);
            if (w > 0)
                written += static_cast<std::size_t>(w);
            usleep(20000);
        }
        if (errOpen && fds[1].revents) {
            ssize_t r = read(err[0], buffer, sizeof(buffer));
            if (r > 0)
                result.err.append(buffer, r);
            else
                errOpen = false;
        }
        if (!masterOpen && !errOpen)
            break;
    }
    close(master);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = exitStatus(status);
    return result;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string makeTempDir()
{
    char pattern[] = "/tmp/korvane-test-XXXXXX";
    // No fallback to /tmp itself: its callers remove the directory at the end.
    if (mkdtemp(pattern) == nullptr)
        throw std::runtime_error("cannot make a scratch directory");
    return pattern;
}

ScratchDir::ScratchDir() : dir(makeTempDir()) {}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& text) const
{
    writeFile(path(name), text);
    return path(name);
}

bool ScratchDir::exists(const std::string& name) const
{
    return std::filesystem::exists(path(name));
}

std::vector<std::string> ScratchDir::files() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
