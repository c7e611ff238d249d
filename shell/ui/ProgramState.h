#pragma once

#include "analysis/AnalysisState.h"
#include "shell/LanguageTexts.h"
#include "shell/StartupSettings.h"
#include "shell/VoiceDisorderTable.h"
#include "shell/ui/ReferenceTexts.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace tiravel {

// The view values the start window sets for the real-time spectrum screen
// before any sound is shown.
struct SpectrumViewDefaults {
    std::int32_t displayMinHz = 0;
    std::int32_t displayMaxHz = 5000;
    std::int32_t gridStepHz = 1000;
    std::string frequencyCaption;    // the language's Frequency text
    double timeViewStart = 0.0;      // ms
    double timeViewEnd = 1000.0;     // ms
    double timeViewLength = 1000.0;  // ms
    std::int32_t timeViewStep = 100; // ms between grid lines
    double amplitudeMin = -25.0;     // mV
    double amplitudeMax = 25.0;      // mV
    std::string amplitudeCaption = "Signal(mV)";
    std::int32_t amplitudeStep = 5;  // mV between grid lines
    std::int32_t selectionStart = -1; // no selection
    std::int32_t selectionEnd = -1;
};

// Full paths of the pictures the tools saved last; the summary report
// embeds them when their files exist.
struct SavedPictures {
    std::string spectrogram; // evaluation screen, top panel
    std::string power;       // evaluation screen, bottom panel
    std::string vocalRange;
    std::string phonetogram;
};

// Everything the windows share for the whole run, created once by the
// program entry and handed by reference to every window.
struct ProgramState {
    // The user-interface language: both false is French.
    bool languageEnglish = false;
    bool languageSpanish = false;
    // Shows the expert controls of the evaluation tools and the patient
    // window; only the command line switches it on.
    bool expertMode = false;
    // The current folder at start; every data path lies below it.
    std::filesystem::path installDir;
    std::string webPageUrl = kDefaultWebPageUrl;
    ReferenceTexts languageTexts;
    ReferenceFiles referenceFiles; // voice-disorder classification and the video list flag
    SpectrumViewDefaults spectrumView;
    std::string currentPatientName; // the open patient's name; empty when none is open
    SavedPictures pictures;
    // Incremented before each picture saved for the patient file; the file
    // names carry its new value.
    std::int32_t imageCounter = 0;
    // The shared analysis state is large (about 17 MB): it lives on the heap.
    std::unique_ptr<AnalysisState> analysisState = std::make_unique<AnalysisState>();

    AnalysisState& analysis() { return *analysisState; }

    Language language() const
    {
        if (languageEnglish)
            return Language::English;
        return languageSpanish ? Language::Spanish : Language::French;
    }
    void setLanguage(Language language)
    {
        languageEnglish = language == Language::English;
        languageSpanish = language == Language::Spanish;
    }
};

} // namespace tiravel
