#include "VoiceDisorderTable.h"

#include "patient/TextRules.h"

#include <cmath>
#include <fstream>

namespace tiravel {

namespace {

constexpr std::size_t kCodeLength = 4;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct MissingClassificationMessage {
    const char* text;
    const char* title;
};

MissingClassificationMessage missingMessage(Language language)
{
    switch (language) {
    case Language::English:
        return {"The voice disorder classification not found in ", "Warning - nomenclature_en.txt not found"};
    case Language::Spanish:
        return {"La clasificación de las patologías de la voz no se encuentra en ",
            "Advertencia - nomenclature_sp.txt no se encuentra"};
    case Language::French: break;
    }
    return {"La nomenclature des troubles de la voix introuvable dans ", "Attention - nomenclature.txt non trouvé"};
}

} // namespace

void VoiceDisorderTable::readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (in.is_open())
        read(in);
    else
        entries_.clear();
}

void VoiceDisorderTable::read(std::istream& lines)
{
    entries_.clear();
    std::string line;
    for (bool first = true; entries_.size() < kCapacity && std::getline(lines, line); first = false) {
        if (first && line.starts_with(kByteOrderMark))
            line.erase(0, kByteOrderMark.size());
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string_view text = line;
        const std::string_view codeText = utf8Prefix(text, kCodeLength);
        const LenientNumber code = readLenientNumber(codeText, 0.0, 9999.0, 0.0);
        if (code.ok)
            entries_.push_back({static_cast<std::int32_t>(std::nearbyint(code.value)),
                std::string(utf8Prefix(text.substr(codeText.size()), kMaxLabelLength))});
    }
}

const char* classificationFileName(Language language)
{
    switch (language) {
    case Language::English: return "nomenclature_en.txt";
    case Language::Spanish: return "nomenclature_sp.txt";
    case Language::French: break;
    }
    return "nomenclature.txt";
}

ReferenceFiles loadReferenceFiles(const std::filesystem::path& dataFolder, Language language, ErrorReporter& errors)
{
    const std::filesystem::path reference = dataFolder / "reference";
    std::error_code ignored;
    ReferenceFiles files;
    files.videoListMissing = !std::filesystem::exists(reference / "video.txt", ignored);
    const std::filesystem::path classification = reference / classificationFileName(language);
    if (std::filesystem::exists(classification, ignored)) {
        files.voiceDisorders.readFile(classification);
    } else {
        const MissingClassificationMessage message = missingMessage(language);
        errors.ShowMessage(std::string(message.text) + "\"/div_tiravel/reference\"", message.title);
    }
    return files;
}

} // namespace tiravel
