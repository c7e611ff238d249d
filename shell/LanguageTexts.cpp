#include "LanguageTexts.h"

#include <stdexcept>

namespace tiravel {

const std::array<TriText, kLanguageTextCount> kLanguageTextTable = {{
    {"Homme", "Man", "Hombre"}, // 1
    {"Sélection", "Selection", "Selección"}, // 2
    {"Femme", "Women", "Mujer"}, // 3
    {"Enfant", "Children", "Niño"}, // 4
    {"Patient", "Patient", "Paciente"}, // 5
    {"Thérapeute", "Therapist", "Terapeuta"}, // 6
    {"Fréquence", "Frequency", "Frecuencia"}, // 7
    {"Quitter", "Close", "Salir"}, // 8
    {"Quitter la fenêtre et revenir au menu précédent", "Close this windows and goes back to previous menu", "Salir"}, // 9
    {"Aide", "Help", "Ayuda"}, // 10
    {"A propos", "About", "Acerca de"}, // 11
    {"Accès à la page d'aide en ligne", "Acces to on-line help", "Acceso a una ayuda en línea en formato HTML"}, // 12
    {"Temps", "Time", "Tiempo"}, // 13
    {"Confort", "Comfort", "Confort"}, // 14
    {"Endurance", "Endurance", "Resistencia"}, // 15
    {"Performance", "Performance", "Rendimiento"}, // 16
    {"Qualité", "Quality", "Calidad"}, // 17
    {"Adaptation", "Adaptation", "Adaptación"}, // 18
    {"Pathologie", "Pathology", "Patología"}, // 19
    {"Normal", "Normal", "Normal"}, // 20
    {"Parole", "Speech", "Habla"}, // 21
    {"Commentaires", "Comments", "Comentarios"}, // 22
    {"Seuil", "Limit", "Umbral"}, // 23
    {"Ajuster le seuil bruit/parole", "Adjust the noise/speech threshold", "Ajuste umbral de ruido"}, // 24
    {"Saturation", "Saturation", "Saturación"}, // 25
    {"Fichier", "File", "Ficha"}, // 26
    {"Ouvrir un fichier son (WAV)", "Load a sound file in WAV format", "Abrir un archivo sonido ya grabado (WAV)"}, // 27
    {"Evaluation", "Evaluation", "Evaluación"}, // 28
    {"Rééducation", "Therapy", "Reeducación"}, // 29
    {"Médiathèque", "Media Library", "Mediateca"}, // 30
    {"Attention - problème d'installation", "Warning - Software installation problem", "Advertencia - problema de instalación"}, // 31
    {"sous-répertoire non trouvé", "Sub dir not found", "Sub-directorio no encontrado"}, // 32
    {"Format audio non pris en charge", "Audio format not supported", "Formato de audio no compatible"}, // 33
    {"Etendue vocale", "Vocal range", "Rango vocal"}, // 34
    {"Etendue en notes", "Range in notes", "Rango en notas"}, // 35
    {"Auto-évaluation", "Self-assessment", "Autoevaluación"}, // 36
    {"Anamnèse", "Anamnesis", "Anamnesis"}, // 37
    {"F0 moyen", "Average F0", "F0 medio"}, // 38
    {"Classification", "Classification", "Clasificación"}, // 39
    {"Altération attaque", "Attack alteration", "Alteración ataque"}, // 40
    {"Instabilité hauteur", "Pitch instability", "Inestabilidad altura"}, // 41
    {"Instabilité amplitude", "Amplitude instability", "Inestabilidad amplitud"}, // 42
    {"Rapport signal/bruit", "Noise/Signal ratio", "Ruido/señal ratio"}, // 43
    {"Pauvreté harmonique", "Harmonic poverty", "Pobreza armónica"}, // 44
    {"Prosodie", "Prosody", "Prosodia"}, // 45
}};

const char* languageText(int n, Language language)
{
    if (n < 1 || n > kLanguageTextCount)
        throw std::out_of_range("language text number out of range");
    return kLanguageTextTable[static_cast<std::size_t>(n - 1)].in(language);
}

} // namespace tiravel
