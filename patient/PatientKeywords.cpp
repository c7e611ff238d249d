#include "PatientKeywords.h"

namespace tiravel {

namespace {

constexpr PatientKeywords kFrench = {
    "Nom", "Prénom", "naissance", "Anamnèse", "sexe", "profession", "motif", "Classification",
    "rapport", "moyenne", "fondamental", "etendue", "vocale", "notes",
    "attaque", "instabilité", "hauteur", "intensité", "signal/bruit", "harmonique", "pauvreté",
    "Spectre", "Date", "Répertoire",
};

constexpr PatientKeywords kEnglish = {
    "Name", "Surname", "birthdate", "anamnesis", "sex", "job", "reason", "Classification",
    "ratio", "average", "f0", "range", "vocal", "notes",
    "attack", "instability", "pitch", "intensity", "noise/signal", "harmonics", "poverty",
    "Spectrum", "Date", "Directory",
};

constexpr PatientKeywords kSpanish = {
    "Nombre", "Apellidos", "nacimiento", "Observaciones", "sexo", "profesión", "Objeto", "Clasificación",
    "ratio", "media", "f0", "rango", "vocal", "notas",
    "ataque", "Inestabilidad", "altura", "amplitud", "Ruido/señal", "armónica", "Pobreza",
    "Spectrum", "Fecha", "Directorio",
};

} // namespace

const PatientKeywords& PatientKeywords::of(Language language)
{
    switch (language) {
    case Language::English: return kEnglish;
    case Language::Spanish: return kSpanish;
    case Language::French: break;
    }
    return kFrench;
}

} // namespace tiravel
