#pragma once

#include "platform/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tiravel {

// The small WAV-file object: writes a canonical 44-byte-header PCM file. The
// header goes out with zero sizes when the file is opened; close() patches
// the RIFF size (36 + data bytes) and the data size.
class TWavFile {
public:
    explicit TWavFile(ErrorReporter& messages);
    ~TWavFile();
    TWavFile(const TWavFile&) = delete;
    TWavFile& operator=(const TWavFile&) = delete;

    // Creates or truncates the file (closing a file still open first) and
    // writes the header. ok is false when the file cannot be created, or,
    // with a "Save error 1" / "Save error 2" message box, when the format
    // chunk or the data chunk header is not written in full.
    void open(const std::string& fileName, std::uint32_t sampleRate, bool& ok, std::uint16_t channels,
        std::uint16_t bitsPerSample);
    // Appends count 16-bit samples; both sizes grow by the bytes actually
    // written, and bytesWritten is those bytes / 4.
    void writeSamples(std::uint32_t count, std::uint32_t& bytesWritten, const std::int16_t* samples);
    // Rewrites both sizes and closes the file; nothing when no file is open.
    void close();

    // False once a write, seek or close since the last open fell short.
    bool good() const { return good_; }

private:
    using ChunkId = std::array<char, 4>;
    struct ChunkHeader {
        ChunkId id;
        std::uint32_t size;
    };
    struct FormatChunk {
        ChunkHeader header;
        std::uint16_t formatTag;
        std::uint16_t channels;
        std::uint32_t sampleRate;
        std::uint32_t bytesPerSecond;
        std::uint16_t blockAlign;
        std::uint16_t bitsPerSample;
    };

    static ChunkId chunkId(const std::string& text);
    static std::vector<std::uint8_t> headerBytes(const ChunkHeader& header);
    std::vector<std::uint8_t> formatBytes() const;
    std::size_t write(const std::vector<std::uint8_t>& bytes);
    void writeChunkHeaderAt(long position, const ChunkHeader& header);

    ErrorReporter& messages_;
    std::FILE* file_ = nullptr;
    bool open_ = false;
    bool writing_ = false;
    bool good_ = true;
    ChunkHeader riff_;
    ChunkId wave_;
    FormatChunk format_;
    ChunkHeader data_;
    long dataHeaderPosition_ = 0;
};

// Writes samples as a 16-bit mono file at sampleRate; problems go to
// standard error. True only when the whole file was written and closed.
bool writeWav16Mono(const std::string& fileName, const std::vector<std::int16_t>& samples, std::uint32_t sampleRate);

} // namespace tiravel
