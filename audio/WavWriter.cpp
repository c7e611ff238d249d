#include "WavWriter.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace tiravel {
namespace {

constexpr std::uint32_t kEmptyRiffSize = 36;     // RIFF size of a file without samples
constexpr std::size_t kFormatChunkBytes = 24;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kFormatChunkSize = 16;
constexpr std::uint16_t kPcmFormat = 1;
constexpr std::size_t kSamplesPerWrite = 8192;
const char* const kGenerationError = "Error during WAV file generation";

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

TWavFile::TWavFile(ErrorReporter& messages)
    : messages_(messages)
    , riff_{chunkId("RIFF"), kEmptyRiffSize}
    , wave_(chunkId("WAVE"))
    , format_{{chunkId("fmt"), kFormatChunkSize}, kPcmFormat, 1, 22050, 44100, 2, 16}
    , data_{chunkId("data"), 0}
{
}

TWavFile::~TWavFile()
{
    close();
}

TWavFile::ChunkId TWavFile::chunkId(const std::string& text)
{
    ChunkId id;
    id.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), id.size()), id.begin());
    return id;
}

std::vector<std::uint8_t> TWavFile::headerBytes(const ChunkHeader& header)
{
    std::vector<std::uint8_t> out(header.id.begin(), header.id.end());
    put32(out, header.size);
    return out;
}

std::vector<std::uint8_t> TWavFile::formatBytes() const
{
    std::vector<std::uint8_t> out = headerBytes(format_.header);
    put16(out, format_.formatTag);
    put16(out, format_.channels);
    put32(out, format_.sampleRate);
    put32(out, format_.bytesPerSecond);
    put16(out, format_.blockAlign);
    put16(out, format_.bitsPerSample);
    return out;
}

std::size_t TWavFile::write(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    if (written < bytes.size())
        good_ = false;
    return written;
}

void TWavFile::writeChunkHeaderAt(long position, const ChunkHeader& header)
{
    if (position < 0 || std::fseek(file_, position, SEEK_SET) != 0)
        good_ = false;
    else
        write(headerBytes(header));
}

void TWavFile::open(const std::string& fileName, std::uint32_t sampleRate, bool& ok, std::uint16_t channels,
    std::uint16_t bitsPerSample)
{
    close();
    file_ = std::fopen(fileName.c_str(), "wb");
    ok = file_ != nullptr;
    if (!ok)
        return;
    // Unbuffered, so that a short write (a full disk) shows where it happens.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    open_ = true;
    writing_ = true;
    good_ = true;

    riff_.size = kEmptyRiffSize;
    data_.size = 0;
    format_.channels = channels;
    format_.sampleRate = sampleRate;
    format_.bitsPerSample = bitsPerSample;
    format_.bytesPerSecond = static_cast<std::uint32_t>(std::uint64_t{channels} * sampleRate * bitsPerSample / 8);
    format_.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);

    std::vector<std::uint8_t> start = headerBytes(riff_);
    start.insert(start.end(), wave_.begin(), wave_.end());
    write(start);
    if (write(formatBytes()) < kFormatChunkBytes) {
        messages_.ShowMessage(kGenerationError, "Save error 1");
        ok = false;
    }
    dataHeaderPosition_ = std::ftell(file_);
    if (write(headerBytes(data_)) < kChunkHeaderBytes) {
        messages_.ShowMessage(kGenerationError, "Save error 2");
        ok = false;
    }
    ok = ok && good_;
}

void TWavFile::writeSamples(std::uint32_t count, std::uint32_t& bytesWritten, const std::int16_t* samples)
{
    bytesWritten = 0;
    if (!writing_)
        return;
    std::array<std::uint8_t, kSamplesPerWrite * 2> bytes;
    std::uint32_t written = 0;
    for (std::uint32_t from = 0; from < count; from += kSamplesPerWrite) {
        const std::uint32_t n = std::min<std::uint32_t>(count - from, kSamplesPerWrite);
        for (std::uint32_t i = 0; i < n; ++i) {
            const auto v = static_cast<std::uint16_t>(samples[from + i]);
            bytes[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
        }
        const std::size_t done = std::fwrite(bytes.data(), 1, std::size_t{n} * 2, file_);
        written += static_cast<std::uint32_t>(done);
        if (done < std::size_t{n} * 2) {
            good_ = false;
            break;
        }
    }
    riff_.size += written;
    data_.size += written;
    bytesWritten = written / 4;
}

void TWavFile::close()
{
    if (!open_)
        return;
    if (writing_) {
        writeChunkHeaderAt(0, riff_);
        writeChunkHeaderAt(dataHeaderPosition_, data_);
    }
    if (std::fclose(file_) != 0)
        good_ = false;
    file_ = nullptr;
    open_ = false;
    writing_ = false;
}

bool writeWav16Mono(const std::string& fileName, const std::vector<std::int16_t>& samples, std::uint32_t sampleRate)
{
    StderrErrorReporter errors;
    constexpr std::size_t kMaxSamples = (std::numeric_limits<std::uint32_t>::max() - kEmptyRiffSize) / 2;
    bool ok = samples.size() <= kMaxSamples;
    if (ok) {
        TWavFile wav(errors);
        wav.open(fileName, sampleRate, ok, 1, 16);
        std::uint32_t bytesWritten = 0;
        if (ok)
            wav.writeSamples(static_cast<std::uint32_t>(samples.size()), bytesWritten, samples.data());
        wav.close();
        ok = ok && wav.good();
    }
    if (!ok) {
        errors.ShowMessage(kGenerationError, fileName);
        std::error_code ignored;
        if (std::filesystem::is_regular_file(fileName, ignored))
            std::filesystem::remove(fileName, ignored);
    }
    return ok;
}

} // namespace tiravel
