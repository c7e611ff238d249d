#include "AnamnesisTree.h"

#include "TextRules.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace tiravel {

namespace {

constexpr std::size_t kMaxLineLength = 250;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum Level { kChapter = 0, kTopic = 1, kPhrase = 2 };

bool isAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Builds the tree line by line, remembering where the next topic and phrase
// belong.
class TreeBuilder {
public:
    void addLine(std::string_view line)
    {
        if (line.size() < 2)
            return;
        if (isAsciiLetterOrDigit(line[0]))
            addChapter(std::string(line));
        else if (line[0] == '+')
            addTopic(" " + std::string(line.substr(1)));
        else if (line[0] == '-')
            addPhrase("  " + std::string(line.substr(1)));
    }

    std::vector<AnamnesisEntry> take() { return std::move(roots_); }

private:
    void addChapter(std::string text)
    {
        roots_.push_back({std::move(text), kChapter, {}});
        chapter_ = roots_.size() - 1;
        topic_.reset();
    }

    void addTopic(std::string text)
    {
        std::vector<AnamnesisEntry>& siblings = topicSiblings();
        siblings.push_back({std::move(text), kTopic, {}});
        topic_ = siblings.size() - 1;
    }

    void addPhrase(std::string text)
    {
        AnamnesisEntry phrase{std::move(text), kPhrase, {}};
        if (topic_)
            topicSiblings()[*topic_].children.push_back(std::move(phrase));
        else
            roots_.push_back(std::move(phrase));
    }

    // The latest chapter's topics, or the top level before any chapter.
    std::vector<AnamnesisEntry>& topicSiblings() { return chapter_ ? roots_[*chapter_].children : roots_; }

    std::vector<AnamnesisEntry> roots_;
    std::optional<std::size_t> chapter_; // index in roots_
    std::optional<std::size_t> topic_;   // index in topicSiblings()
};

} // namespace

std::vector<AnamnesisEntry> readAnamnesisLines(const std::vector<std::string>& lines)
{
    TreeBuilder builder;
    for (const std::string& line : lines)
        builder.addLine(utf8Prefix(line, kMaxLineLength));
    return builder.take();
}

std::vector<AnamnesisEntry> readAnamnesisFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return {}; // a folder would make the stream throw
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return readAnamnesisLines(lines);
}

const char* anamnesisFileName(Language language)
{
    return TriText{"anamnese.txt", "anamnesis.txt", "anamnese_sp.txt"}.in(language);
}

const char* recordTemplateName(Language language)
{
    return TriText{"patient.rtf", "patient_en.rtf", "patient_sp.rtf"}.in(language);
}

AnamnesisInsertion anamnesisInsertion(const AnamnesisEntry& entry)
{
    switch (entry.level) {
    case kTopic: return {"    + " + entry.text + "\n", 12, true};
    case kPhrase: return {"         - " + entry.text + "\n", 11, false};
    default: break;
    }
    return {" > " + entry.text + "\n", 12, false};
}

} // namespace tiravel
