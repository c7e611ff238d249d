#pragma once

#include "shell/LanguageTexts.h"

#include <array>

namespace tiravel::sound_file_texts {

// Captions and hints of the sound-file row of the real-time spectrum screen.
inline constexpr TriText kLoad {"&Ouvrir", "&Open", "&Abrir"};
inline constexpr TriText kLoadHint {"Ouvrir un fichier son (*.WAV)", "Open a sound file (*.WAV)",
    "Abrir un archivo sonido (*.WAV)"};
inline constexpr const char* kLoadFilter = "*.WAV *.wav";
inline constexpr TriText kRecorder {"&Enregistrer", "&Record", "&Grabar"};
inline constexpr TriText kRecorderHint {"Enregistrer un son", "Record a sound", "Grabar un sonido"};
inline constexpr TriText kPlay {"Écouter", "Listen", "Escuchar"};
inline constexpr TriText kPlayHint {"Entendre le dernier fichier de son", "Hear the last sound file",
    "Escuchar el último archivo sonido"};
inline constexpr TriText kPlayFileHint {"Entendre le fichier de son ", "Hear sound file ", "Escuchar el archivo sonido  "};
inline constexpr TriText kFilterHint {"Filtrage en dessous du seuil de détection de F0",
    "Filtering below the F0 detection threshold", "Filtrado por debajo del umbral de detección de F0"};
inline constexpr const char* kBoost = "Boost at:";
inline constexpr TriText kPlusHint {"Amplification de +3dB", "Amplification by +3dB", "Amplificación de +3dB"};
inline constexpr TriText kMinusHint {"Atténuation de 3dB", "Attenuation by 3dB", "Atenuación de 3dB"};
inline constexpr TriText kHearBandHint {"Écouter la bande du formant ", "Listen to the band of formant ",
    "Escuchar la banda del formante "};
inline constexpr TriText kHighLimit {"Limite Freq Haute/Basse:", "High/Low Freq limit:", "Límite Frec Alta/Baja:"};
inline constexpr TriText kSoundFilePrefix {"Fichier son : ", "Sound file : ", "Archivo sonido : "};
inline constexpr TriText kAgeSuffix {" ans, ", " years old, ", " años, "};
// The speaker's voice category: 0 man, 1 woman, 2 child.
inline constexpr std::array<TriText, 3> kVoiceCategories {{
    {"homme", "man", "hombre"},
    {"femme", "woman", "mujer"},
    {"enfant", "child", "niño"},
}};
// Window captions of a loaded sound.
inline constexpr TriText kLoadedCaption {"Spectrogramme du son ", "Spectrum of sound ", "Espectro "};
inline constexpr TriText kOpenedCaption {"Spectrogramme de ", "Spectrogram of ", "Spectrogram of "};
inline constexpr TriText kReadErrorCaption {"Spectre temps réel du son - Erreur ", "Real time spectrum - Error ",
    "Espectro de tiempo real - Error "};
inline constexpr TriText kReadErrorWhile {" lecture ", " while reading ", " mientras leo "};
inline constexpr TriText kRecompute {"Recalculer les indicateurs", "Update indicators", "Actualización indicadors"};

} // namespace tiravel::sound_file_texts
