#pragma once

#include "shell/LanguageTexts.h"

#include <array>

namespace tiravel::spectrum_texts {

// Captions, hints and readouts of the real-time spectrum screen.
inline constexpr TriText kTitle {"Spectre temps réel", "Real time spectrum", "Espectro Tiempo Real"};

inline constexpr TriText kMicrophone {"&Microphone", "&Microphone", "&Micrófono"};
inline constexpr TriText kMicrophoneHint {"Brancher le microphone", "Switch the microphone on", "Conectar el micrófono"};
inline constexpr TriText kClearSpace {"Tout &effacer", "&Clear all", "&Borrar todo"};
inline constexpr TriText kClearSpaceHint {"Effacer le spectrogramme et la vue du bas", "Clear the spectrogram and the bottom view",
    "Borrar el espectrograma y la vista inferior"};
inline constexpr TriText kFull {"&Zoom", "&Zoom", "&Zoom"};
inline constexpr TriText kFullHint {"Agrandir le spectrogramme à toute la fenêtre (ou revenir)",
    "Enlarge the spectrogram to the whole window (or back)", "Ampliar el espectrograma a toda la ventana (o volver)"};
inline constexpr TriText kTopPanelHint {"Le spectre temps réel s'affiche en haut (thérapeute)",
    "The real time spectrum is drawn in the top panel (therapist)",
    "El espectro en tiempo real se dibuja arriba (terapeuta)"};
inline constexpr TriText kBottomPanelHint {"Le spectre temps réel s'affiche en bas (patient)",
    "The real time spectrum is drawn in the bottom panel (patient)",
    "El espectro en tiempo real se dibuja abajo (paciente)"};
inline constexpr TriText kMaxFrequency {"Fréquence max.", "Max. frequency", "Frecuencia máx."};
inline constexpr TriText kMaxFrequencyHint {"Fréquence du haut de l'échelle", "Frequency at the top of the scale",
    "Frecuencia superior de la escala"};
inline constexpr TriText kSensitivity {"Sensibilité", "Sensitivity", "Sensibilidad"};
inline constexpr TriText kSensitivityHint {"Sensibilité des couleurs du spectrogramme", "Colour sensitivity of the spectrogram",
    "Sensibilidad de los colores del espectrograma"};
inline constexpr TriText kSpeed {"Vitesse", "Speed", "Velocidad"};
inline constexpr TriText kSpeedHint {"Vitesse de défilement du spectrogramme", "Scrolling speed of the spectrogram",
    "Velocidad de desplazamiento del espectrograma"};
inline constexpr TriText kWhiteBackground {"Fond &blanc", "&White background", "Fondo &blanco"};
inline constexpr TriText kWhiteBackgroundHint {"Spectrogramme sur fond blanc", "Spectrogram on a white background",
    "Espectrograma sobre fondo blanco"};
inline constexpr TriText kFormants {"&Formants", "&Formants", "&Formantes"};
inline constexpr TriText kFormantsHint {"Montrer les zones des formants et lisser le spectre",
    "Show the formant zones and smooth the spectrum", "Mostrar las zonas de los formantes y suavizar el espectro"};
inline constexpr TriText kHelpHint {"Accès à l'aide en ligne", "Access to on-line help", "Acceso a la ayuda en línea"};
inline constexpr TriText kBoost {"Boost (Hz)", "Boost (Hz)", "Boost (Hz)"};
inline constexpr TriText kDetectF0 {"Détecter F0 au dessus de", "Detect F0 above", "Detectar F0 por encima de"};
inline constexpr TriText kKeepSelection {"Ne garder que la sélection", "Keep selection only", "Guardar sólo la selección "};

// Readouts and what they show without a value.
inline constexpr TriText kAmplitudePrefix {"Amplitude: ", "Amplitude: ", "Amplitud: "};
inline constexpr TriText kDurationPrefix {"Durée: ", "Duration: ", "Duración: "};
inline constexpr TriText kFrequencyNotAvailable {"Fréquence non disponible", "Frequency not available",
    "Frecuencia no disponible"};
inline constexpr TriText kAmplitudeNotAvailable {"Amplitude non disponible", "Amplitude not available",
    "Amplitud no disponible"};
inline constexpr TriText kDurationNotAvailable {"Durée non disponible", "Duration not available", "Duración no disponible"};
inline constexpr TriText kFundamentalNotAvailable {"Fondamental non disponible", "Fundamental not available",
    "Fundamental no disponible"};

// The bottom tabs.
inline constexpr std::array<TriText, 9> kTabs {{
    {"Spectre temps réel", "Real Time Spectrum", "Espectro Tiempo Real"},
    {"Puissance", "Power", "Potencia"},
    {"Indicateurs", "Indicators", "Indicadores"},
    {"Instab. Hauteur", "Pitch instab.", "Inestab. Altura"},
    {"Instab. Amplitude", "Ampl instab.", "Inestab. Amplitud"},
    {"Bruit/Signal", "Noise/Signal", "Ruido/Señal"},
    {"F0/Harm", "Harmonics ", "F0/Armónicos"},
    {"Temporel", "Time domain", "Temporal"},
    {"Frequentiel", "Instant freq.", "Frecuencial"},
}};
inline constexpr TriText kViewComesLater {"(vue non disponible dans cette version)", "(view not available in this version)",
    "(vista no disponible en esta versión)"};

// The gauges, in the order attack, pitch, amplitude, noise/signal, harmonics.
inline constexpr std::array<TriText, 5> kGaugeCaptions {{
    {"Altération de l'attaque", "Attack alteration", "Alteración ataque sonido"},
    {"Instabilité en hauteur", "Pitch instability", "Inestabilidad de Altura"},
    {"Instabilité en amplitude", "Amplitude instability", "Inestabilidad en Amplitud"},
    {"Rapport Bruit/Signal", "Noise/Signal ratio", "Ruido/Señal"},
    {"Pauvreté Harmonique", "Harmonic poverty", "Pobreza Armónica"},
}};
inline constexpr TriText kGaugeLegend {"<1 = normal, >1 = pathologique", "<1 = normal, >1 = pathological",
    "<1 = normal, >1 = patológico"};
inline constexpr TriText kWholeSound {"Son entier", "Whole sound", "Sonido entero"};
inline constexpr TriText kOneSecond {"1 seconde", "1 second", "1 segundo"};
inline constexpr TriText kSelectedZone {"Zone sélectionnée", "Selected zone", "Zona seleccionada"};
inline constexpr TriText kStandardThresholds {"Appliquer les seuils standards", "Apply standard thresholds",
    "Apply standard thresholds"};
inline constexpr TriText kAgeThresholdsPrefix {"Ajuster les seuils avec l'âge (", "Adjust colors with age (",
    "Adjust colors with age ("};
inline constexpr TriText kPhasePortrait {"Portrait de phase de F0", "F0 phase portrait", "Retrato de fase de F0"};

// The indicator curves.
inline constexpr std::array<TriText, 5> kCurveLegend {{
    {" + normale", " + normal", " + normal"},
    {" normale", " normal", " normal"},
    {" seuil", " threshold", " límite"},
    {" pathologie", " pathology", " patología"},
    {" + pathologie", " + pathology", " + patología"},
}};
inline constexpr TriText kAverage {"Moyenne: ", "Average: ", "Media: "};
inline constexpr const char* kSecondsCaption = "  (s)   ";

} // namespace tiravel::spectrum_texts
