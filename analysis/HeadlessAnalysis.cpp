#include "HeadlessAnalysis.h"

#include "AnalysisEngine.h"
#include "LoadedSoundAnalysis.h"
#include "SoundAnalysis.h"
#include "audio/WavReader.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace tiravel {

namespace {

void resetToStartUp(AnalysisState& state)
{
    std::destroy_at(&state);
    std::construct_at(&state);
}

class JsonWriter {
public:
    void raw(const char* text) { out_ += text; }
    void key(const char* name)
    {
        separate();
        quoted(name);
        out_ += ':';
        first_ = true;
    }
    void string(const std::string& text)
    {
        separate();
        quoted(text);
    }
    void number(double v)
    {
        separate();
        if (!std::isfinite(v)) {
            out_ += "null";
            return;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", v);
        out_ += text;
    }
    void integer(std::int64_t v)
    {
        separate();
        out_ += std::to_string(v);
    }
    void boolean(bool v)
    {
        separate();
        out_ += v ? "true" : "false";
    }
    void open(char bracket)
    {
        separate();
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket)
    {
        out_ += bracket;
        first_ = false;
    }
    std::string take() { return std::move(out_); }

private:
    void quoted(const std::string& text);
    void separate()
    {
        if (!first_)
            out_ += ',';
        first_ = false;
    }
    std::string out_;
    bool first_ = true;
};

// Length of the valid UTF-8 sequence starting at text[i], 0 if invalid.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
        : lead >= 0xF0 && lead < 0xF5                                                                   ? 4
                                                                                                        : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// File names are bytes: valid UTF-8 passes through, other bytes become U+FFFD
// so that the line stays valid JSON.
void JsonWriter::quoted(const std::string& text)
{
    out_ += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            out_ += "\\ufffd";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out_ += escaped;
        } else {
            out_.append(text, i, length);
        }
        i += length;
    }
    out_ += '"';
}

void writeIndicators(JsonWriter& json, const IndicatorValues& v, bool withAttack)
{
    json.open('{');
    if (withAttack) {
        json.key("attackAlteration");
        json.number(v.attackAlteration);
    }
    json.key("pitchInstability");
    json.number(v.pitchInstability);
    json.key("amplitudeInstability");
    json.number(v.amplitudeInstability);
    json.key("noiseSignalRatio");
    json.number(v.noiseSignalRatio);
    json.key("harmonicPoverty");
    json.number(v.harmonicPoverty);
    json.close('}');
}

} // namespace

FileAnalysis analyseSoundFile(AnalysisState& state, const std::string& path, bool withFrames, ErrorReporter& errors)
{
    resetToStartUp(state);
    AnalysisEngine engine(state);
    engine.FormCreate();
    NoProgress noProgress;

    FileAnalysis result;
    result.file = path;
    loadWavFile(state, path, Language::French, errors, noProgress);
    result.loadStatus = state.loadStatus;
    result.loaded = state.loadStatus == 0 && state.soundLength > 0;
    if (!result.loaded)
        return result;

    analyseLoadedSound(engine, noProgress);
    result.indicators = currentIndicators(state);
    result.selectionMeanF0 = state.selectionMeanF0;
    if (withFrames) {
        for (std::int32_t k = 1; k <= state.energyFrameCount; ++k) {
            result.frames.push_back({state.frameF0[k], state.frameEnergy[k], state.frameHarmonicPoverty[k],
                state.frameNoiseRatio[k], state.frameSubharmonic[k]});
        }
    }
    ComputeIndicators(state, state.markerFrames[1], state.markerFrames[2]);
    result.oneSecond = currentIndicators(state);

    result.soundLength = state.soundLength;
    result.energyFrameCount = state.energyFrameCount;
    result.f0SmoothCount = state.f0SmoothCount;
    result.levelJumpOffset = state.levelJumpOffset;
    for (int i = 0; i < 3; ++i)
        result.markerFrames[i] = state.markerFrames[i];
    result.attackFound = state.attackFound;
    result.soundMeanDb = state.soundMeanDb;
    result.f0SpikeCount = state.f0SpikeCount;
    return result;
}

std::string toJson(const FileAnalysis& a, bool withFrames)
{
    JsonWriter json;
    json.open('{');
    json.key("file");
    json.string(a.file);
    json.key("loadStatus");
    json.integer(a.loadStatus);
    json.key("soundLength");
    json.integer(a.soundLength);
    json.key("energyFrameCount");
    json.integer(a.energyFrameCount);
    json.key("f0SmoothCount");
    json.integer(a.f0SmoothCount);
    json.key("levelJumpOffset");
    json.integer(a.levelJumpOffset);
    json.key("markerFrames");
    json.open('[');
    for (std::int32_t m : a.markerFrames)
        json.integer(m);
    json.close(']');
    json.key("attackFound");
    json.boolean(a.attackFound);
    json.key("selectionMeanF0");
    json.number(a.selectionMeanF0);
    json.key("soundMeanDb");
    json.number(a.soundMeanDb);
    json.key("f0SpikeCount");
    json.integer(a.f0SpikeCount);
    json.key("indicators");
    writeIndicators(json, a.indicators, true);
    json.key("oneSecond");
    writeIndicators(json, a.oneSecond, false);
    if (withFrames) {
        json.key("frames");
        json.open('[');
        for (const FrameResult& f : a.frames) {
            json.open('[');
            for (double v : {f.f0, f.energy, f.harmonicPoverty, f.noiseRatio, f.subharmonic})
                json.number(v);
            json.close(']');
        }
        json.close(']');
    }
    json.close('}');
    return json.take();
}

} // namespace tiravel
