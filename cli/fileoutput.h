// \brief Standard output as a stream that remembers why a write failed, so that a full disk or
// a closed pipe is reported rather than passed over.
#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace corvane::cli {

/// A buffered stream buffer over a file descriptor. A failed write puts the stream into its
/// bad state and keeps the system's error.
class FileOutput : public std::streambuf {
public:
    explicit FileOutput(int fd);
    ~FileOutput() override;
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    /// The system's words for the first failed write ("No space left on device"), empty
    /// while every write succeeded.
    std::string error() const;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writeOut();

    int m_fd;
    int m_errno = 0;
    std::array<char, 65536> m_buffer;
};

} // namespace corvane::cli
