#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

// zupri-sim run as a child process for one test: its device path, and its decoded lines as
// they come.
class SimulatorProcess
{
public:
    explicit SimulatorProcess(const std::vector<std::string> &options = {});
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    const std::string &devicePath() const { return m_devicePath; }

    // Every line read until one equal to last has come (included), or the time has passed.
    std::vector<std::string>
    linesUntil(const std::string &last,
               std::chrono::milliseconds patience = std::chrono::seconds(5));
    // Stops the simulator and returns the lines it wrote on the way out.
    std::vector<std::string> stop();

private:
    bool readLine(std::string &line, std::chrono::steady_clock::time_point deadline);

    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_buffer;
    std::string m_devicePath;
};
