#include "editor/catalogue_file.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {

namespace {

// Scratch records are stored as the slots that hold text, each as its
// number, a 32-bit length and the bytes, after a 32-bit count.
void putWord(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t getWord(const unsigned char* in) {
    return std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]} << 16 |
           std::uint32_t{in[3]} << 24;
}

std::string encodeScratch(const CatalogueRecord& record) {
    std::string out;
    std::uint32_t count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
        count += record.field(slot).empty() ? 0 : 1;
    putWord(out, count);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string& text = record.field(slot);
        if (text.empty())
            continue;
        out += static_cast<char>(slot);
        putWord(out, static_cast<std::uint32_t>(text.size()));
        out += text;
    }
    return out;
}

bool decodeScratch(const std::string& bytes, CatalogueRecord& record) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t size = bytes.size();
    if (size < 4)
        return false;
    std::uint32_t count = getWord(in);
    std::size_t at = 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 5 > size)
            return false;
        int slot = in[at];
        std::uint32_t length = getWord(in + at + 1);
        at += 5;
        if (slot >= kSlotCount || length > size - at)
            return false;
        record.set(slot, std::string_view(bytes).substr(at, length));
        at += length;
    }
    return true;
}

} // namespace

CatalogueFile::~CatalogueFile() {
    close();
    if (!m_scratchFolder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_scratchFolder, ec);
    }
}

namespace {

constexpr std::string_view kScratchPrefix = "korvel-";

// "korvel-<pid>-XXXXXX": the pid of the process that made it, or 0.
pid_t scratchOwner(std::string_view name) {
    if (name.substr(0, kScratchPrefix.size()) != kScratchPrefix)
        return 0;
    name.remove_prefix(kScratchPrefix.size());
    std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || name.size() - dash - 1 != 6)
        return 0;
    pid_t pid = 0;
    for (char c : name.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 99999999)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

} // namespace

void removeStaleScratchFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t pid = scratchOwner(it->path().filename().string());
        struct stat info {};
        // Only real folders of this user; remove_all does not follow links.
        if (pid <= 0 || lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
            continue;
        if (kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        std::error_code ignored;
        std::filesystem::remove_all(it->path(), ignored);
    }
}

bool CatalogueFile::openScratch() {
    if (m_scratchFolder.empty()) {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec)
            base = "/tmp";
        removeStaleScratchFolders(base);
        std::string pattern = (base / (std::string(kScratchPrefix) + std::to_string(getpid()) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            return false;
        m_scratchFolder = pattern;
    }
    // Made anew, and never through a name someone else has placed.
    const std::filesystem::path scratch = m_scratchFolder / "korvel.tmp";
    unlink(scratch.c_str());
    int fd = ::open(scratch.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    m_scratch = fd >= 0 ? fdopen(fd, "w+b") : nullptr;
    if (fd >= 0 && !m_scratch)
        ::close(fd);
    m_scratchSize = 0;
    return m_scratch != nullptr;
}

bool CatalogueFile::open(const std::string& path) {
    close();
    // A device, a FIFO or a folder is no data file: reading one could block
    // or never end, and a save would put a file in its place.
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return false;
    m_data = std::fopen(path.c_str(), "rb");
    if (!m_data) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec) && !ec) {
            if (std::FILE* created = std::fopen(path.c_str(), "wb"); created) {
                std::fclose(created);
                m_data = std::fopen(path.c_str(), "rb");
            }
        }
    }
    if (!m_data || !openScratch()) {
        close();
        return false;
    }
    m_readFailed = false;
    m_reader = std::make_unique<LineReader>(m_data, 0);
    m_directiveLines.clear();
    readFileDirectives(*m_reader, directives, &m_directiveLines);
    m_readDirectives = directives;
    currentMask = directives.mask();
    currentSlots = fieldListOf(currentMask);
    setTarget(currentMask, identitySource());
    modified = false;
    return true;
}

bool CatalogueFile::close() {
    m_reader.reset();
    bool clean = true;
    if (m_data && std::fclose(m_data) != 0)
        clean = false;
    if (m_scratch && std::fclose(m_scratch) != 0)
        clean = false;
    m_data = nullptr;
    m_scratch = nullptr;
    m_scratchSize = 0;
    return clean;
}

void CatalogueFile::appendDirectives(std::string& out) const {
    std::string own;
    appendFileDirectives(own, directives);
    if (directives == m_readDirectives && !sameGeneratorHeader(own, m_directiveLines))
        out += m_directiveLines;
    else
        out += own;
}

void CatalogueFile::setTarget(FieldMask mask, const SlotSource& source) {
    targetMask = mask;
    targetSlots = fieldListOf(mask);
    targetSource = source;
}

bool CatalogueFile::readNextRecord(CatalogueRecord& record) {
    if (!m_reader)
        return false;
    LineResult result = readRecordLine(*m_reader, currentSlots, record);
    if (result == LineResult::End) {
        // Fetches seek the same stream from now on.
        m_readFailed = m_reader->failed();
        m_reader.reset();
        return false;
    }
    if (result == LineResult::Record)
        classifyRecord(record);
    work = record;
    return true;
}

bool CatalogueFile::appendScratch(const CatalogueRecord& record, RecordLocation& location) {
    if (!m_scratch)
        return false;
    std::string bytes = encodeScratch(record);
    if (std::fseek(m_scratch, 0, SEEK_END) != 0)
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_scratch) != bytes.size() || std::fflush(m_scratch) != 0) {
        // A partial record is never pointed at; later records go after it.
        std::fseek(m_scratch, 0, SEEK_END);
        long end = std::ftell(m_scratch);
        if (end >= 0)
            m_scratchSize = static_cast<std::uint64_t>(end);
        return false;
    }
    location.file = RecordFile::Scratch;
    location.offset = m_scratchSize;
    location.length = bytes.size();
    m_scratchSize += bytes.size();
    return true;
}

bool fetchDataRecord(std::FILE* data, const FieldList& fields, const RecordLocation& location,
                     CatalogueRecord& record) {
    if (!data || location.length == 0 || std::fseek(data, static_cast<long>(location.offset), SEEK_SET) != 0)
        return false;
    // Exactly the record's own lines are read.
    std::string bytes(location.length, '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), data) != bytes.size())
        return false;
    LineReader reader(std::move(bytes), location.offset);
    LineResult result = readRecordLine(reader, fields, record);
    if (result == LineResult::End || record.offset != location.offset)
        return false;
    if (result == LineResult::Record)
        classifyRecord(record);
    return true;
}

bool CatalogueFile::fetch(const RecordLocation& location, CatalogueRecord& record) {
    bool ok = false;
    if (location.file == RecordFile::Data) {
        ok = fetchDataRecord(m_data, currentSlots, location, record);
    } else if (m_scratch && location.offset + location.length <= m_scratchSize) {
        std::string bytes(location.length, '\0');
        record.clear();
        ok = std::fseek(m_scratch, static_cast<long>(location.offset), SEEK_SET) == 0 &&
             std::fread(bytes.data(), 1, bytes.size(), m_scratch) == bytes.size() && decodeScratch(bytes, record);
        record.offset = location.offset;
        record.length = location.length;
    }
    if (ok)
        work = record;
    return ok;
}

} // namespace korvel
