#include "TestSupport.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace tiravel::test {

FreshEngine::FreshEngine()
    : statePtr(std::make_unique<AnalysisState>())
    , state(*statePtr)
    , engine(state)
{
    engine.FormCreate();
}

TempFolder::TempFolder()
{
    std::random_device device;
    root_ = std::filesystem::temp_directory_path() / ("tiravel-test-" + std::to_string(device()));
    std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(root_, ignored);
}

namespace {
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
void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}
} // namespace

std::vector<std::uint8_t> wavBytes(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate,
    std::uint16_t channels, std::uint16_t bitsPerSample)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, channels);
    put32(out, sampleRate);
    put32(out, sampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : samples)
        put16(out, static_cast<std::uint16_t>(s));
    return out;
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void placeLiveFrame(AnalysisState& state, const std::vector<std::int16_t>& samples, std::size_t from)
{
    for (int i = 0; i < kFrameLength && from + i < samples.size(); ++i)
        state.soundBuffer[i] = samples[from + i] * state.calibration / 50;
}

} // namespace tiravel::test
