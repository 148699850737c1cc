#include "generator/page_writer.h"

#include "model/regular_file.h"

namespace {

// Pages are a few kilobytes: one buffer holds a whole page, so a page costs
// one write.
constexpr std::size_t kPageBufferSize = 64 * 1024;

} // namespace

bool PageWriter::open(const std::string& path) {
    close();
    m_file = createRegularFile(path);
    if (!m_file)
        return false;
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(kPageBufferSize);
    std::setvbuf(m_file, m_buffer.get(), _IOFBF, kPageBufferSize);
    m_path = path;
    m_offset = 0;
    m_failed = false;
    return true;
}

bool PageWriter::close() {
    if (!m_file)
        return true;
    // A full disk shows only at the flush of the buffer or at the close.
    bool ok = !m_failed && std::fflush(m_file) == 0 && !std::ferror(m_file);
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    return ok;
}

void PageWriter::printf(const char* format, ...) {
    if (!m_file)
        return;
    va_list args;
    va_start(args, format);
    int written = std::vfprintf(m_file, format, args);
    va_end(args);
    if (written < 0)
        m_failed = true;
    else
        m_offset += written;
}

void PageWriter::put(std::string_view text) {
    if (!m_file || text.empty())
        return;
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), m_file);
    if (written != text.size())
        m_failed = true;
    m_offset += static_cast<long>(written);
}

bool overwriteInPlace(const std::string& path, long offset, long length, std::string_view text) {
    if (static_cast<long>(text.size()) > length)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file)
        return false;
    bool ok = std::fseek(file, offset, SEEK_SET) == 0;
    ok = ok && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}
