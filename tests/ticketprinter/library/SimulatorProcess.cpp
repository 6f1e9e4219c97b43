#include "ticketprinter/library/SimulatorProcess.h"

#include <csignal>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

SimulatorProcess::SimulatorProcess(const std::vector<std::string> &options)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    std::vector<std::string> arguments = {ZUPRI_SIM_PATH, "--exit-after", "60"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a crashed test
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    m_output = pipeEnds[0];
    const auto patience = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    if (m_pid < 0 || !readLine(m_devicePath, patience)) {
        stop();
        ::close(m_output);
        throw std::runtime_error("zupri-sim did not start");
    }
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
    ::close(m_output);
}

std::vector<std::string> SimulatorProcess::stop()
{
    if (m_pid <= 0)
        return {};
    ::kill(m_pid, SIGTERM);
    std::vector<std::string> lines;
    std::string line;
    while (readLine(line, std::chrono::steady_clock::now() + std::chrono::seconds(5)))
        lines.push_back(line);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    return lines;
}

std::vector<std::string> SimulatorProcess::linesUntil(const std::string &last,
                                                      std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::vector<std::string> lines;
    std::string line;
    while (readLine(line, deadline)) {
        lines.push_back(line);
        if (line == last)
            break;
    }
    return lines;
}

bool SimulatorProcess::readLine(std::string &line, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        if (const auto end = m_buffer.find('\n'); end != std::string::npos) {
            line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd readable{m_output, POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[4096];
        const ssize_t count = ::read(m_output, chunk, sizeof chunk);
        if (count <= 0)
            return false;
        m_buffer.append(chunk, static_cast<std::size_t>(count));
    }
}
