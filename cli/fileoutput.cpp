#include "fileoutput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace corvane::cli {

FileOutput::FileOutput(int fd) : m_fd(fd) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

// What is left is written; its failure can no longer be reported.
FileOutput::~FileOutput() {
    writeOut();
}

std::string FileOutput::error() const {
    return m_errno == 0 ? std::string() : std::string(std::strerror(m_errno));
}

bool FileOutput::writeOut() {
    if (m_errno != 0) return false;
    const char* p = pbase();
    while (p < pptr()) {
        const ssize_t n = ::write(m_fd, p, static_cast<std::size_t>(pptr() - p));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_errno = n < 0 ? errno : EIO;
            return false;
        }
        p += n;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return true;
}

FileOutput::int_type FileOutput::overflow(int_type c) {
    if (!writeOut()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int FileOutput::sync() {
    return writeOut() ? 0 : -1;
}

} // namespace corvane::cli
