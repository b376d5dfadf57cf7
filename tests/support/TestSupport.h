#pragma once
// Small helpers shared by the tests.

#include "imaging/Report.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumisplit::test {

// Records every message the core reports while it is alive.
class RecordingSink final : public ReportSink {
public:
    RecordingSink() : m_scope(*this) {}
    void Report(std::string_view message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;

private:
    ScopedReportSink m_scope;
};

// A fresh empty folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Whole file as bytes; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// Runs a shell command line, answers its exit status; stdout and stderr are captured.
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::string& commandLine);

} // namespace lumisplit::test
