#include "PatientStore.h"

#include "TextRules.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace tiravel {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kShortestNamedFile = 5;

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && prefixMatch(a, b, a.size());
}

bool isRecordFile(const fs::directory_entry& entry)
{
    std::error_code ignored;
    if (!entry.is_regular_file(ignored))
        return false;
    const std::string name = entry.path().filename().string();
    return name.size() > 4 && equalIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".rtf");
}

// Writes the whole text and forces it to the disk; false on any short write.
bool writeDurably(const fs::path& path, std::string_view text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool synced = done == text.size() && ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// Makes the renames of a folder durable too.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string timeStamp()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

const char* defaultPatientName(Language language)
{
    return TriText {"nouveau", "new", "nuevo"}.in(language);
}

std::string patientNameFromFileName(std::string_view fileName, std::string_view defaultName)
{
    if (fileName.size() < kShortestNamedFile)
        return std::string(defaultName);
    return std::string(fileName.substr(0, fileName.find_first_of("-.")));
}

std::string withExtension(std::string_view fileName, std::string_view extension)
{
    const std::size_t dot = fileName.rfind('.');
    return std::string(fileName.substr(0, dot)) + std::string(extension);
}

bool leavesDataFolder(std::string_view typedName)
{
    return typedName.find_first_of("/\\") != std::string_view::npos || typedName.find("..") != std::string_view::npos
        || fs::path(typedName).is_absolute();
}

PatientStore::PatientStore(fs::path folder)
    : folder_(std::move(folder))
{
}

std::vector<std::string> PatientStore::list() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        if (isRecordFile(entry))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

fs::path PatientStore::find(std::string_view fileName) const
{
    std::error_code error;
    if (fs::exists(folder_ / fileName, error))
        return folder_ / fileName;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        if (isRecordFile(entry) && equalIgnoringAsciiCase(entry.path().filename().string(), fileName))
            return entry.path();
    }
    return folder_ / fileName;
}

bool PatientStore::save(std::string_view fileName, std::string_view text) const
{
    const fs::path record = find(fileName);
    const fs::path staging = folder_ / ("." + record.filename().string() + ".saving");
    std::error_code error;
    if (!writeDurably(staging, text)) {
        fs::remove(staging, error);
        return false;
    }
    if (fs::exists(record, error)) {
        fs::path backup = record;
        backup += ".bak";
        fs::copy_file(record, backup, fs::copy_options::overwrite_existing, error);
    }
    fs::rename(staging, record, error);
    if (error) {
        fs::remove(staging, error);
        return false;
    }
    syncFolder(folder_);
    return true;
}

bool PatientStore::erase(std::string_view fileName) const
{
    const fs::path record = find(fileName);
    std::error_code error;
    if (!fs::is_regular_file(record, error))
        return false;
    const std::string erasedBase = record.string() + ".erased-" + timeStamp();
    fs::path erased = erasedBase;
    for (int n = 2; fs::exists(erased, error); ++n)
        erased = erasedBase + "-" + std::to_string(n);
    fs::rename(record, erased, error);
    syncFolder(folder_);
    return !error;
}

} // namespace tiravel
