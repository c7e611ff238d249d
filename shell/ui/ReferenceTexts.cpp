#include "ReferenceTexts.h"

#include "patient/TextRules.h"

#include <algorithm>
#include <stdexcept>

namespace tiravel {

namespace {

constexpr std::array<int, 10> kStartValueEntries = {14, 15, 16, 17, 18, 24, 25, 27, 35, 36};

std::size_t slot(int n)
{
    if (n < 1 || n > kLanguageTextCount)
        throw std::out_of_range("reference text number out of range");
    return static_cast<std::size_t>(n - 1);
}

} // namespace

ReferenceTexts::ReferenceTexts()
{
    for (int n = 1; n <= kLanguageTextCount; ++n)
        texts_[slot(n)] = utf8Prefix(languageText(n, Language::French), kMaxLength);
    startValues_ = texts_;
}

void ReferenceTexts::update(Language language)
{
    for (int n = 1; n <= kLanguageTextCount; ++n) {
        if (language == Language::French && keepsStartValueInFrench(n))
            texts_[slot(n)] = startValues_[slot(n)];
        else
            texts_[slot(n)] = utf8Prefix(languageText(n, language), kMaxLength);
    }
}

const std::string& ReferenceTexts::operator[](int n) const
{
    return texts_[slot(n)];
}

bool ReferenceTexts::keepsStartValueInFrench(int n)
{
    return std::find(kStartValueEntries.begin(), kStartValueEntries.end(), n) != kStartValueEntries.end();
}

} // namespace tiravel
