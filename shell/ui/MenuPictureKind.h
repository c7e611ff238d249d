#pragma once

namespace tiravel {

// The pictures of the menu entries, one per tool or action.
enum class MenuPictureKind {
    PatientRecord,
    Evaluation,
    Therapy,
    MediaLibrary,
    Help,
    About,
    Quit,
    Spectrum,
    Phonetogram,
    PhonationTime,
    VocalRange,
    Breath,
    Timbre,
    Articulation,
    Pitch,
    Videos,
    Sounds,
    DataBase,
    BeforeAfter,
};

} // namespace tiravel
